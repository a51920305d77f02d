#pragma once
// Our own CSV: one row per record that holds anything, lossless. Coordinates are signed
// decimal degrees (negative for W and S), speeds both as stored (knots) and in km/h, notes as
// UTF-8 text or, when the block is not plain text, as hex; the device's bytes 13 to 15 in hex.

#include <string>
#include <string_view>

#include "database/user_database.h"
#include "formats/file_problem.h"

namespace userdb::formats {

std::string WriteCsv(const UserDatabase& database);

// Records that no row names stay erased. Only index, longitude and latitude are required
// columns; a missing one of the others leaves its value absent or erased.
ReadResult ReadCsv(std::string_view text);

}  // namespace userdb::formats
