#include "scoped_ports_folder.h"

#include <stdlib.h>

#include <string>

namespace userdb::test {
namespace {

std::optional<std::string> Current(const char* name) {
  const char* value = getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void Restore(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

ScopedPortsFolder::ScopedPortsFolder()
    : previousPorts_(Current("USERDB_PORTS_DIR")), previousLocks_(Current("USERDB_LOCK_DIR")) {
  std::string pattern = (std::filesystem::temp_directory_path() / "userdb-ports-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  std::error_code ignored;
  std::filesystem::create_directories(LockFolder(), ignored);
  setenv("USERDB_PORTS_DIR", folder_.c_str(), 1);
  setenv("USERDB_LOCK_DIR", LockFolder().c_str(), 1);
}

ScopedPortsFolder::~ScopedPortsFolder() {
  Restore("USERDB_PORTS_DIR", previousPorts_);
  Restore("USERDB_LOCK_DIR", previousLocks_);
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

void ScopedPortsFolder::Map(int portNumber, const std::filesystem::path& target) const {
  std::filesystem::create_symlink(target, folder_ / ("com" + std::to_string(portNumber)));
}

}  // namespace userdb::test
