#pragma once
// `userdb backups` and `userdb restore`: the copies of the device that downloads left behind.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "app/backups.h"

namespace userdb::cli {

// Newest first, numbered as restore takes them.
int ListBackups(const Backups& backups, std::ostream& output);

// "N" (1 is the newest) or a file's path; nothing, the reason told, when N names no backup.
// Without either, the newest backup of a device that held points, told on errors.
std::optional<std::filesystem::path> ChooseBackup(const Backups& backups, const std::string& which,
                                                  std::ostream& errors);

}  // namespace userdb::cli
