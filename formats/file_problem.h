#pragma once
// What is wrong with a file, as precisely as the file allows: its line, or the record when
// the file has no lines, and the field.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/points_file.h"

namespace userdb::formats {

struct FileProblem {
  int line = 0;                       // 0: not tied to a line
  std::optional<std::size_t> record;  // named when there is no line
  std::string field;                  // empty: not tied to a field
  std::string message;
};

// field may be empty; line may be 0 when the problem is the whole file's.
FileProblem ProblemAt(int line, std::string_view field, std::string message);

// "FILE:LINE: FIELD: MESSAGE", "FILE: record K: FIELD: MESSAGE" or "FILE: MESSAGE".
std::string DescribeProblem(std::string_view fileName, const FileProblem& problem);

// A problem with the record's line when it has one, else with the record's index.
FileProblem RecordProblem(const PointsFile& file, std::size_t record, std::string_view field, std::string message);

// What a conversion lost or changed for one point, by its line or, without one, its record;
// where a file names its points itself ("node 123"), by that name.
struct Change {
  int line = 0;
  std::size_t record = 0;
  std::string what;
  std::string where = {};
};

// "FILE:LINE: WHAT", "FILE: WHERE: WHAT" or "FILE: record K: WHAT".
std::string DescribeChange(std::string_view fileName, const Change& change);

// A reader's result: the points are only meaningful when there is no problem.
struct ReadResult {
  PointsFile points;
  std::vector<FileProblem> problems;
  std::vector<Change> changes;

  bool Ok() const { return problems.empty(); }
};

ReadResult Refused(FileProblem problem);

}  // namespace userdb::formats
