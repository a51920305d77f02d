#pragma once
// A fresh, empty ports folder in USERDB_PORTS_DIR for one test, so that the user's own mapping
// never leaks in; the previous value comes back afterwards.

#include <filesystem>
#include <optional>
#include <string>

namespace userdb::test {

class ScopedPortsFolder {
 public:
  ScopedPortsFolder();
  ~ScopedPortsFolder();
  ScopedPortsFolder(const ScopedPortsFolder&) = delete;
  ScopedPortsFolder& operator=(const ScopedPortsFolder&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  // Makes comN a symlink to target.
  void Map(int portNumber, const std::filesystem::path& target) const;

 private:
  std::filesystem::path folder_;
  std::optional<std::string> previous_;
};

}  // namespace userdb::test
