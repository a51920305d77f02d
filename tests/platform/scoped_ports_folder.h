#pragma once
// A fresh, empty ports folder in USERDB_PORTS_DIR and lock folder in USERDB_LOCK_DIR for one
// test, so that neither the user's own mapping nor the system's locks leak in; the previous
// values come back afterwards.

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
  std::filesystem::path LockFolder() const { return folder_ / "locks"; }
  // Makes comN a symlink to target.
  void Map(int portNumber, const std::filesystem::path& target) const;

 private:
  std::filesystem::path folder_;
  std::optional<std::string> previousPorts_;
  std::optional<std::string> previousLocks_;
};

}  // namespace userdb::test
