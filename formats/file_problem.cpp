#include "formats/file_problem.h"

namespace userdb::formats {

FileProblem ProblemAt(int line, std::string_view field, std::string message) {
  FileProblem problem;
  problem.line = line;
  problem.field = field;
  problem.message = std::move(message);
  return problem;
}

std::string DescribeProblem(std::string_view fileName, const FileProblem& problem) {
  std::string text(fileName);
  if (problem.line > 0) {
    text += ':' + std::to_string(problem.line) + ':';
  } else {
    text += ':';
    if (problem.record) text += " record " + std::to_string(*problem.record) + ':';
  }
  if (!problem.field.empty()) text += ' ' + problem.field + ':';
  return text + ' ' + problem.message;
}

FileProblem RecordProblem(const PointsFile& file, std::size_t record, std::string_view field, std::string message) {
  FileProblem problem = ProblemAt(file.lines[record], field, std::move(message));
  if (problem.line == 0) problem.record = record;
  return problem;
}

ReadResult Refused(FileProblem problem) {
  ReadResult result;
  result.problems.push_back(std::move(problem));
  return result;
}

std::string DescribeChange(std::string_view fileName, const Change& change) {
  if (change.line > 0) return std::string(fileName) + ":" + std::to_string(change.line) + ": " + change.what;
  if (!change.where.empty()) return std::string(fileName) + ": " + change.where + ": " + change.what;
  return std::string(fileName) + ": record " + std::to_string(change.record) + ": " + change.what;
}

}  // namespace userdb::formats
