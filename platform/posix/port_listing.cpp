#include "platform/posix/port_listing.h"

#include <optional>
#include <system_error>

#include "platform/posix/ports_folder.h"

namespace userdb::posix {

std::vector<ListedPort> ListPorts() {
  std::vector<ListedPort> ports;
  for (int portNumber = kFirstPort; portNumber <= kLastPort; ++portNumber) {
    const std::optional<std::filesystem::path> devicePath = PortPath(portNumber);
    std::error_code error;
    if (devicePath.has_value() && std::filesystem::is_character_file(*devicePath, error)) {
      ports.push_back({portNumber, *devicePath});
    }
  }
  return ports;
}

}  // namespace userdb::posix
