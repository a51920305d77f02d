#pragma once
// What a Windows device instance ID, "USB\VID_1A86&PID_7523\5&1234", tells of the hardware
// behind a COM port. Plain text work, so it is built and tested on every platform.

#include <optional>
#include <string>
#include <string_view>

namespace userdb::win32 {

struct UsbInstance {
  std::string vendorId;  // four hex digits in lower case, as Linux shows them
  std::string productId;
  std::string serial;  // empty when the device has none and Windows made the instance part up
};

// Windows gives each Bluetooth serial link two ports: the outgoing one calls the remote device
// and is the one to open; the incoming one waits for devices that call this PC.
struct BluetoothInstance {
  bool outgoing = false;
  std::string remoteAddress;  // "00:11:22:33:44:55"; empty for the incoming port
};

// A USB device's, or an FTDI driver's (FTDIBUS\VID_0403+PID_6001+...), IDs; none for others.
std::optional<UsbInstance> UsbInstanceOf(std::string_view instanceId);

// A Bluetooth serial port's (BTHENUM\...\7&...&0&001122334455_C00000000) end of the link.
std::optional<BluetoothInstance> BluetoothInstanceOf(std::string_view instanceId);

}  // namespace userdb::win32
