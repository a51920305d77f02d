#pragma once
// GPX 1.1 waypoints, one a record that a map can place: lat and lon, the note in name and
// desc, the type in type, and in an extensions element of ours (namespace kGpxNamespace) the
// record's index, stored speed (knots), direction, the device's bytes 13 to 15 and, for a
// note that is not plain text, its 128 bytes in hex. Records that no waypoint can carry go
// whole, in hex, into the extensions of the gpx element, so that reading gives back every byte.
//
// Reading also takes waypoints of other programs: without our index they fill the free
// records in document order; the note is desc, else name; GPX 1.0 speed (m/s) and course
// (degrees) count when our extension has no speed or direction.

#include <string>
#include <string_view>

#include "database/user_database.h"
#include "formats/file_problem.h"

namespace userdb::formats {

inline constexpr std::string_view kGpxNamespace = "urn:x-userdb:gpx:1";

std::string WriteGpx(const UserDatabase& database);
ReadResult ReadGpx(std::string_view text);

}  // namespace userdb::formats
