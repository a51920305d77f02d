#pragma once
// `userdb ports --pin N PATH`: the ports folder's entry comN made a link to PATH, or to the
// stable /dev/serial/by-id name of the device PATH leads to, so that COM N stays the same
// adapter after it is plugged in again (the kernel's ttyUSB numbers follow the order of plugging).

#include <filesystem>
#include <string>

#include "platform/posix/port_hardware.h"

namespace userdb::posix {

struct Pinned {
  std::filesystem::path entry;   // the comN link
  std::filesystem::path target;  // where it leads
};

enum class PinPortOutcome {
  Pinned,
  NotAPort,  // a number outside COM1 to COM256
  NoSuchDevice,
  CannotWrite,  // the ports folder or its entry
};

struct PinPortResult {
  PinPortOutcome outcome = PinPortOutcome::Pinned;
  Pinned pinned;        // when pinned
  std::string message;  // why not, with the system's words where it has any

  explicit operator bool() const { return outcome == PinPortOutcome::Pinned; }
};

// Replaces an existing entry in one step.
PinPortResult PinPort(int portNumber, const std::filesystem::path& path, const SystemFolders& folders);

}  // namespace userdb::posix
