#include "platform/posix/ports_folder.h"

#include <cstdlib>
#include <string>

namespace userdb::posix {
namespace {

struct FixedRange {
  int firstPort;
  const char* prefix;
};

// Each range covers 32 ports, numbered from 0 on the device side.
constexpr FixedRange kFixedRanges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}, {97, "/dev/rfcomm"}};
constexpr int kRangeSize = 32;

}  // namespace

std::filesystem::path PortsFolder() {
  if (const char* folder = std::getenv("USERDB_PORTS_DIR"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "userdb" / "ports";
}

std::filesystem::path PortsFolderEntry(int portNumber) { return PortsFolder() / ("com" + std::to_string(portNumber)); }

std::optional<std::filesystem::path> PortPath(int portNumber) {
  if (portNumber < kFirstPort || portNumber > kLastPort) return std::nullopt;
  std::error_code error;
  const std::filesystem::path entry = PortsFolderEntry(portNumber);
  if (std::filesystem::exists(std::filesystem::symlink_status(entry, error))) return entry;
  for (const FixedRange& range : kFixedRanges) {
    if (portNumber >= range.firstPort && portNumber < range.firstPort + kRangeSize) {
      return std::string(range.prefix) + std::to_string(portNumber - range.firstPort);
    }
  }
  return std::nullopt;
}

}  // namespace userdb::posix
