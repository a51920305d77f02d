#pragma once
// What the point sources are told and asked around a merge: which of a database's points are
// still a list's, and which points a merge added, recorded under the list they came from.

#include <cstddef>
#include <map>
#include <string>

#include "app/point_sources.h"
#include "database/user_database.h"

namespace userdb {

// Whether the record holds a point of source as that list gave it (not edited since).
bool IsOfSource(const PointSources& sources, const UserDatabase& database, std::size_t record,
                const std::string& source);

// The points of merged that before did not hold, as they are now, recorded under origin.
SourcesResult RecordAdded(PointSources& sources, const UserDatabase& before, const UserDatabase& merged,
                          const PointOrigin& origin);

struct SourceCount {
  std::string date;  // the newest a point of it was added
  std::size_t points = 0;
};

// The sources of database's points, by name; the driver's own points under the empty name.
std::map<std::string, SourceCount> CountSources(const PointSources& sources, const UserDatabase& database);

// "2026-12-09", the local date now.
std::string Today();

}  // namespace userdb
