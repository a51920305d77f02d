#include "scoped_ports_folder.h"

#include <stdlib.h>

#include <string>

namespace userdb::test {

ScopedPortsFolder::ScopedPortsFolder() {
  if (const char* value = getenv("USERDB_PORTS_DIR")) previous_ = value;
  std::string pattern = (std::filesystem::temp_directory_path() / "userdb-ports-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  setenv("USERDB_PORTS_DIR", folder_.c_str(), 1);
}

ScopedPortsFolder::~ScopedPortsFolder() {
  if (previous_) {
    setenv("USERDB_PORTS_DIR", previous_->c_str(), 1);
  } else {
    unsetenv("USERDB_PORTS_DIR");
  }
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

void ScopedPortsFolder::Map(int portNumber, const std::filesystem::path& target) const {
  std::filesystem::create_symlink(target, folder_ / ("com" + std::to_string(portNumber)));
}

}  // namespace userdb::test
