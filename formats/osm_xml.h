#pragma once
// OpenStreetMap's XML (.osm), as exported from the map or by osmium: read whole, for the speed
// cameras in it. Country extracts come as .osm.pbf, which is read as a stream instead.

#include <string_view>

#include "formats/point_list.h"

namespace userdb::formats {

ListRead ReadOsmXml(std::string_view text, const ListOptions& options);

}  // namespace userdb::formats
