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

enum class LineOutcome {
  Chosen,
  NoSuchPort,  // the argument names no port, or none that this platform opens
};

struct LineChoiceResult {
  LineOutcome outcome = LineOutcome::Chosen;
  LineChoice line;      // when chosen
  std::string message;  // why not

  explicit operator bool() const { return outcome == LineOutcome::Chosen; }
};

// The line a --port argument names (COMn, n, or a device path where the platform has them);
// without one, COM2.
LineChoiceResult ChooseLine(std::optional<std::string_view> portArgument);

inline LineChoiceResult NoPortCalled(std::string_view portArgument) {
  return {LineOutcome::NoSuchPort, {}, "no port is called \"" + std::string(portArgument) + "\""};
}

// What the system tells of the device behind a port, where it tells anything.
struct LineHardware {
  std::string realDevice;    // links followed
  std::string friendlyName;  // Windows' own name for it, "USB-SERIAL CH340 (COM5)"
  std::optional<std::string> byId;
  std::string driver;
  std::optional<std::string> usbIds;  // "0403:6001"
  std::string manufacturer;
  std::string product;
  std::string serial;
  std::optional<std::string> bluetoothAddress;
  // Windows gives a Bluetooth serial link two ports: the outgoing one calls the device, the
  // incoming one only waits for calls.
  std::optional<bool> bluetoothOutgoing;
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

enum class PinLineOutcome {
  Pinned,
  NotAComNumber,
  NoSuchDevice,
  CannotWrite,  // the ports folder or its entry
  NotHere,      // the platform names its ports itself
};

struct PinLineResult {
  PinLineOutcome outcome = PinLineOutcome::Pinned;
  std::string pinned;   // what was done, when pinned: "COM2 is ENTRY -> TARGET"
  std::string message;  // why not

  explicit operator bool() const { return outcome == PinLineOutcome::Pinned; }
};

// Makes the COM port ("COMn" or "n") lead to the device at path from now on.
PinLineResult PinLine(std::string_view com, const std::string& path);

// How COM numbers map to devices here, for the usage text.
std::string_view PortNamingHelp();

}  // namespace userdb::cli
