#pragma once
// A database read from a file, with the line that gave each record, so that a problem found
// after reading can still name the line that holds it.

#include <array>
#include <cstddef>
#include <string_view>

#include "database/user_database.h"

namespace userdb::formats {

// The fields of a point as a file names them, for problems found in the point's values.
enum class PointField { Longitude, Latitude, Speed, Direction, Type, Note };
inline constexpr std::size_t kPointFieldCount = 6;
using FieldNames = std::array<std::string_view, kPointFieldCount>;

inline constexpr FieldNames kRecordFieldNames = {"longitude", "latitude", "speed", "direction", "type", "note"};

struct PointsFile {
  UserDatabase database;                  // records and notes; the rest is not a file's
  std::array<int, kRecordCount> lines{};  // 0: the record came from no line
  FieldNames fieldNames = kRecordFieldNames;

  std::string_view NameOf(PointField field) const { return fieldNames[static_cast<std::size_t>(field)]; }
};

// The records that hold a point.
std::size_t PointCount(const UserDatabase& database);

}  // namespace userdb::formats
