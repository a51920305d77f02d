#pragma once
// The COM ports that name an existing device on this machine, for `userdb ports`.

#include <filesystem>
#include <vector>

namespace userdb::posix {

struct ListedPort {
  int portNumber = 0;
  std::filesystem::path devicePath;  // as posix::PortPath gives it, before symlinks are followed
};

// Ports 1 to 256 in rising order whose path leads to a character device.
std::vector<ListedPort> ListPorts();

}  // namespace userdb::posix
