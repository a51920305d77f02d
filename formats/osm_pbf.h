#pragma once
// OpenStreetMap's PBF extracts (.osm.pbf), in which whole countries come: read as a stream, once
// for the enforcement relations and once for the nodes, keeping only the cameras, so that memory
// stays bounded by the cameras rather than the extract.

#include <filesystem>
#include <string_view>

#include "formats/point_list.h"

namespace userdb::formats {

ListRead ReadOsmPbfFile(const std::filesystem::path& path, const ListOptions& options);

// The same from bytes already in memory.
ListRead ReadOsmPbf(std::string_view contents, const ListOptions& options);

}  // namespace userdb::formats
