#pragma once
// The line an import dialog shows under a list whose licence asks that its source be named.

#include <filesystem>
#include <string>

namespace userdb::menus {

// For an OpenStreetMap extract, its copyright and where extracts come from; empty for any other
// file.
std::string AttributionOf(const std::filesystem::path& file);

}  // namespace userdb::menus
