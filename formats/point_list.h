#pragma once
// Points as lists bring them, of any length: a country's camera list holds far more than the 256
// of a device. Each point keeps the line (or record) of its file, and every change that making
// it a device's point costs is told, never silent.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/user_database.h"
#include "formats/file_problem.h"
#include "formats/points_file.h"

namespace userdb::formats {

struct ListOptions {
  std::optional<std::uint8_t> type = std::nullopt;  // the type of every point, whatever the list says
  bool mph = false;                                 // speeds in names ("@50") are miles per hour
};

struct ListPoint {
  UserPoint point;
  std::string note;  // the note's bytes, at most 127
  int line = 0;      // where the point stands in its file: a line, else a record number
  std::size_t record = 0;
  std::string where = {};  // or the name its file gives it ("node 123")
};

struct ListRead {
  std::vector<ListPoint> points;
  std::vector<FileProblem> problems;
  std::vector<Change> changes;

  bool Ok() const { return problems.empty(); }
};

// A change to the point, told where its file places it.
Change ChangeAt(const ListPoint& at, std::string what);

// A note from a name as a file gives it: UTF-8 when it is UTF-8, else one byte a character
// (ISO 8859-1). Characters the device's notes cannot hold become '?', and a name longer than a
// note is cut; each such change is noted against the point.
std::string NoteOfName(std::string_view name, const ListPoint& at, std::vector<Change>& changes);

// "School @30" gives 30 and "School"; none when the name ends in no speed.
struct NamedSpeed {
  std::string_view name;
  std::uint32_t speed = 0;
};
std::optional<NamedSpeed> SpeedInName(std::string_view name);

// The points of a database, in record order, with their notes and lines (none for a bare
// database: its points are named by record).
std::vector<ListPoint> PointsOf(const PointsFile& file);
std::vector<ListPoint> PointsOf(const UserDatabase& database);

// A database's reading as the list of its points, its problems kept.
ListRead ListOf(ReadResult read);

// A list as a database: refused when it holds more than 256 points.
ReadResult IntoDatabase(ListRead list, const FieldNames& names);

}  // namespace userdb::formats
