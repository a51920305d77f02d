#pragma once
// `userdb ports --pin N PATH`: the ports folder's entry comN made a link to PATH, or to the
// stable /dev/serial/by-id name of the device PATH leads to, so that COM N stays the same
// adapter after it is plugged in again (the kernel's ttyUSB numbers follow the order of plugging).

#include <filesystem>
#include <optional>
#include <string>

#include "platform/posix/port_hardware.h"

namespace userdb::posix {

struct Pinned {
  std::filesystem::path entry;   // the comN link
  std::filesystem::path target;  // where it leads
};

// Replaces an existing entry in one step. Nothing, with the reason in error, when PATH names no
// device or the folder cannot be written.
std::optional<Pinned> PinPort(int portNumber, const std::filesystem::path& path, const SystemFolders& folders,
                              std::string& error);

}  // namespace userdb::posix
