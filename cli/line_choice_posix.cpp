#include "cli/fixed_path_port.h"
#include "cli/line_choice.h"
#include "platform/posix/port_argument.h"
#include "platform/posix/port_listing.h"

namespace userdb::cli {

std::optional<LineChoice> ChooseLine(std::optional<std::string_view> portArgument) {
  if (!portArgument) return LineChoice{std::make_unique<PosixSerialPort>(), kDefaultPort, std::nullopt};
  const std::optional<posix::PortArgument> parsed = posix::ParsePortArgument(*portArgument);
  if (!parsed) return std::nullopt;
  if (const auto* path = std::get_if<std::filesystem::path>(&*parsed)) {
    return LineChoice{std::make_unique<FixedPathPort>(*path), kDefaultPort, path->string()};
  }
  return LineChoice{std::make_unique<PosixSerialPort>(), std::get<int>(*parsed), std::nullopt};
}

std::vector<ListedLine> ListLines() {
  std::vector<ListedLine> lines;
  for (const posix::ListedPort& port : posix::ListPorts()) lines.push_back({port.portNumber, port.devicePath.string()});
  return lines;
}

std::string_view PortNamingHelp() {
  return "COM n is the entry comN in $USERDB_PORTS_DIR (default ~/.config/userdb/ports) if there is\n"
         "one, else COM1-32 /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31,\n"
         "COM97-128 /dev/rfcomm0-31.\n";
}

}  // namespace userdb::cli
