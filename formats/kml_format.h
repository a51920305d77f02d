#pragma once
// KML for looking at the points on a map: one Placemark a point that a map can place, named
// by its note (or "Point" and its index), with its speed, direction and type described.
// Export only: KML has no place for what a restore needs.

#include <string>

#include "database/user_database.h"

namespace userdb::formats {

std::string WriteKml(const UserDatabase& database);

}  // namespace userdb::formats
