#pragma once
// A route file from the disk, for keeping a list's points to those along the way.

#include <filesystem>

#include "files/file_result.h"
#include "formats/route_corridor.h"

namespace userdb::files {

// A GPX file's routes and tracks, or a KML file's LineStrings; what is wrong names the file.
FileResult<formats::Route> LoadRoute(const std::filesystem::path& path);

}  // namespace userdb::files
