#pragma once
// View > Show on map…: the database in memory as a GPX file, opened by whatever program the
// desktop has for GPX files.

#include <ctime>
#include <filesystem>

#include "files/file_context.h"

namespace userdb::files {

void ShowOnMap(FileContext& context);

// A new file for each showing: a map program may still hold the last one open.
std::filesystem::path MapFileFor(std::time_t moment);

}  // namespace userdb::files
