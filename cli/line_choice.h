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

// What the system tells of the device behind a port, where it tells anything.
struct LineHardware {
  std::string realDevice;  // links followed
  std::optional<std::string> byId;
  std::string driver;
  std::optional<std::string> usbIds;  // "0403:6001"
  std::string manufacturer;
  std::string product;
  std::string serial;
  std::optional<std::string> bluetoothAddress;
  std::optional<long> heldBy;  // a process ID; 0 when its lock holds none yet
  bool mayOpen = true;
  std::string group;
};

struct ListedLine {
  int portNumber = 0;
  std::string device;
  std::optional<LineHardware> hardware;
};

// The COM numbers that lead to a device on this machine, for `userdb ports`.
std::vector<ListedLine> ListLines();

// Makes the COM port ("COMn" or "n") lead to the device at path from now on; what was done, or
// nothing with the reason in error.
std::optional<std::string> PinLine(std::string_view com, const std::string& path, std::string& error);

// How COM numbers map to devices here, for the usage text.
std::string_view PortNamingHelp();

}  // namespace userdb::cli
