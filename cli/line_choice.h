#pragma once
// Which serial line a command talks over: the platform's part of the command line.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/serial_port.h"

namespace userdb::cli {

inline constexpr int kDefaultPort = 2;  // COM002, the entry the window selects at start

struct LineChoice {
  std::unique_ptr<SerialPort> port;
  int portNumber = kDefaultPort;    // the COM number the PortList selects
  std::optional<std::string> path;  // the device path --port named, if it named one
};

// The line a --port argument names (COMn, n, or a device path where the platform has them);
// without one, COM2. Nothing when the argument names no port.
std::optional<LineChoice> ChooseLine(std::optional<std::string_view> portArgument);

struct ListedLine {
  int portNumber = 0;
  std::string device;
};

// The COM numbers that lead to a device on this machine, for `userdb ports`.
std::vector<ListedLine> ListLines();

// How COM numbers map to devices here, for the usage text.
std::string_view PortNamingHelp();

}  // namespace userdb::cli
