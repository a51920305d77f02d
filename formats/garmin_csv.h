#pragma once
// Garmin's POI CSV, as its POI Loader takes it: longitude,latitude,"name","comment" in decimal
// degrees, negative for W and S, without a header. A name that ends in "@NNN" gives the point a
// speed of NNN km/h (mph when asked). It carries no direction or type.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/point_list.h"

namespace userdb::formats {

ListRead ReadGarminCsv(std::string_view text, const ListOptions& options);
std::string WriteGarminCsv(std::span<const ListPoint> points, const ListOptions& options, std::vector<Change>& changes);

}  // namespace userdb::formats
