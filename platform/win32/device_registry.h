#pragma once
// Windows' register of the devices in the Ports class, Device Manager's "Ports (COM & LPT)":
// what it tells of each, as UTF-8 text, behind an interface so that its answers can be recorded.

#include <string>
#include <vector>

namespace userdb::win32 {

struct RegisteredPort {
  std::string portName;      // "COM5", "LPT1": the PortName in the device's key
  std::string friendlyName;  // "USB-SERIAL CH340 (COM5)"; its description when it has none
  std::string instanceId;    // "USB\VID_1A86&PID_7523\5&1234"
  std::string driver;        // the driver's service, "CH341SER_A64"; its driver key when it names none
};

class DeviceRegistry {
 public:
  virtual ~DeviceRegistry() = default;
  // The devices present now.
  virtual std::vector<RegisteredPort> Ports() const = 0;
};

}  // namespace userdb::win32
