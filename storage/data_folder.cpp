#include "storage/data_folder.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace userdb::storage {
namespace {

std::optional<std::filesystem::path> FromEnvironment(const char* name) {
#ifdef _WIN32
  // The narrow environment is in the ANSI code page, which may not hold the user's folder names.
  const wchar_t* value = _wgetenv(std::wstring(name, name + std::char_traits<char>::length(name)).c_str());
  if (value == nullptr || std::wstring_view(value).empty()) return std::nullopt;
#else
  const char* value = std::getenv(name);
  if (value == nullptr || std::string_view(value).empty()) return std::nullopt;
#endif
  return std::filesystem::path(value);
}

// The platform's folder for an application's data, with the program's own folder in it.
std::optional<std::filesystem::path> PlatformDataFolder() {
#ifdef _WIN32
  if (auto local = FromEnvironment("LOCALAPPDATA")) return *local / "userdb";
#else
  // XDG asks for an absolute path and says to ignore anything else.
  if (auto xdg = FromEnvironment("XDG_DATA_HOME"); xdg && xdg->is_absolute()) return *xdg / "userdb";
  if (auto home = FromEnvironment("HOME")) return *home / ".local" / "share" / "userdb";
#endif
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> DataFolder() {
  if (auto chosen = FromEnvironment("USERDB_DATA_DIR")) return chosen;
  return PlatformDataFolder();
}

std::optional<std::filesystem::path> BackupFolder() { return BackupFolderIn(DataFolder()); }

std::optional<std::filesystem::path> BackupFolderIn(const std::optional<std::filesystem::path>& dataFolder) {
  if (!dataFolder) return std::nullopt;
  return *dataFolder / "backups";
}

}  // namespace userdb::storage
