#pragma once
// Where the program keeps the user's own files, such as the copies of the device it makes.

#include <filesystem>
#include <optional>

namespace userdb::storage {

// $USERDB_DATA_DIR, else %LOCALAPPDATA%\userdb on Windows and $XDG_DATA_HOME/userdb (by default
// ~/.local/share/userdb) elsewhere. Nothing when the environment names no such folder.
std::optional<std::filesystem::path> DataFolder();

// The backups folder inside the data folder.
std::optional<std::filesystem::path> BackupFolder();
std::optional<std::filesystem::path> BackupFolderIn(const std::optional<std::filesystem::path>& dataFolder);

}  // namespace userdb::storage
