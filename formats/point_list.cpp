#include "formats/point_list.h"

#include <charconv>

#include "database/note_codec.h"
#include "formats/latin1_text.h"

namespace userdb::formats {
namespace {

constexpr char kUnstorable = '?';

std::string Characters(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " character" : " characters");
}

// A line that gives several points (a camera both ways) fits whole or not at all.
FileProblem Overflow(const std::vector<ListPoint>& points) {
  std::size_t first = kRecordCount;
  const int line = points[first].line;
  if (line == 0) {
    FileProblem problem = ProblemAt(0, "",
                                    "this point and the " + std::to_string(points.size() - first - 1) +
                                        " after it do not fit: a device holds 256 points");
    problem.record = points[first].record;
    return problem;
  }
  while (first > 0 && points[first - 1].line == line) --first;
  std::size_t rowsAfter = 0;
  for (std::size_t k = first + 1; k < points.size(); ++k) rowsAfter += points[k].line != points[k - 1].line ? 1 : 0;
  return ProblemAt(points[first].line, "",
                   "this row and the " + std::to_string(rowsAfter) + " after it do not fit: a device holds 256 points");
}

}  // namespace

Change ChangeAt(const ListPoint& at, std::string what) { return {at.line, at.record, std::move(what), at.where}; }

std::string NoteOfName(std::string_view name, const ListPoint& at, std::vector<Change>& changes) {
  // Text that is not UTF-8 is taken as it is, one byte a character.
  const std::optional<Latin1Conversion> converted = Latin1OfUtf8(name);
  std::string note = converted ? converted->bytes : std::string(name);
  if (converted && converted->transliterated > 0) {
    changes.push_back(
        ChangeAt(at, Characters(converted->transliterated) + " outside ISO 8859-1 written in Latin letters"));
  }
  if (converted && converted->replaced > 0) {
    changes.push_back(ChangeAt(at, Characters(converted->replaced) + " outside ISO 8859-1 stored as '?'"));
  }
  // A zero or 0xFF byte would end the note early on the device.
  for (char& c : note) {
    if (c == '\0' || static_cast<unsigned char>(c) == 0xFF) c = kUnstorable;
  }
  if (note.size() > kMaxNoteLength) {
    changes.push_back(ChangeAt(at, "name cut to the note's " + std::to_string(kMaxNoteLength) + " bytes"));
    note.resize(kMaxNoteLength);
  }
  return note;
}

std::optional<NamedSpeed> SpeedInName(std::string_view name) {
  std::string_view trimmed = name.substr(0, name.find_last_not_of(' ') + 1);
  const std::size_t at = trimmed.rfind('@');
  if (at == std::string_view::npos || at + 1 == trimmed.size()) return std::nullopt;
  std::uint32_t speed = 0;
  const std::string_view digits = trimmed.substr(at + 1);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), speed);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  // The one blank before the speed belongs to it: any others are the name's own.
  std::string_view rest = trimmed.substr(0, at);
  if (rest.ends_with(' ')) rest.remove_suffix(1);
  return NamedSpeed{rest, speed};
}

std::vector<ListPoint> PointsOf(const PointsFile& file) {
  std::vector<ListPoint> points = PointsOf(file.database);
  for (ListPoint& point : points) point.line = file.lines[point.record];
  return points;
}

std::vector<ListPoint> PointsOf(const UserDatabase& database) {
  std::vector<ListPoint> points;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const UserPoint point = database.Point(k);
    if (point.IsEmpty()) continue;
    points.push_back({point, NoteText(database.Note(k)), 0, k});
  }
  return points;
}

ListRead ListOf(ReadResult read) {
  ListRead list;
  list.problems = std::move(read.problems);
  list.changes = std::move(read.changes);
  if (list.Ok()) list.points = PointsOf(read.points);
  return list;
}

ReadResult IntoDatabase(ListRead list, const FieldNames& names) {
  ReadResult result;
  result.points.fieldNames = names;
  result.problems = std::move(list.problems);
  result.changes = std::move(list.changes);
  if (!result.Ok()) return result;
  if (list.points.size() > kRecordCount) return Refused(Overflow(list.points));
  for (std::size_t k = 0; k < list.points.size(); ++k) {
    result.points.database.SetPoint(k, list.points[k].point);
    WriteNote(result.points.database.Note(k), list.points[k].note);
    result.points.lines[k] = list.points[k].line;
  }
  return result;
}

}  // namespace userdb::formats
