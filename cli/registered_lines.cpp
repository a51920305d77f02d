#include "cli/registered_lines.h"

#include <charconv>
#include <map>

#include "platform/win32/device_instance.h"
#include "window/control_table.h"

namespace userdb::cli {
namespace {

LineHardware HardwareOf(const win32::RegisteredPort& port) {
  LineHardware hardware;
  hardware.friendlyName = port.friendlyName;
  hardware.driver = port.driver;
  if (const std::optional<win32::UsbInstance> usb = win32::UsbInstanceOf(port.instanceId)) {
    hardware.usbIds = usb->vendorId + ":" + usb->productId;
    hardware.serial = usb->serial;
  }
  if (const std::optional<win32::BluetoothInstance> link = win32::BluetoothInstanceOf(port.instanceId)) {
    if (link->outgoing) hardware.bluetoothAddress = link->remoteAddress;
    hardware.bluetoothOutgoing = link->outgoing;
  }
  return hardware;
}

// "COM5" as 5; nothing for the printer ports (LPT1) that the registry keeps beside them, nor for
// numbers past the list's.
std::optional<int> ComNumber(std::string_view portName) {
  constexpr std::string_view kCom = "COM";
  if (!portName.starts_with(kCom)) return std::nullopt;
  int number = 0;
  const char* const end = portName.data() + portName.size();
  const auto [stop, error] = std::from_chars(portName.data() + kCom.size(), end, number);
  if (error != std::errc() || stop != end || number < 1 || number > kPortCount) return std::nullopt;
  return number;
}

std::map<int, LineHardware> HardwareByPort(const win32::DeviceRegistry& registry) {
  std::map<int, LineHardware> hardware;
  for (const win32::RegisteredPort& port : registry.Ports()) {
    if (const std::optional<int> number = ComNumber(port.portName)) hardware.emplace(*number, HardwareOf(port));
  }
  return hardware;
}

}  // namespace

std::vector<ListedLine> RegisteredLines(const win32::DeviceRegistry& registry, const PortDevice& device) {
  std::map<int, LineHardware> registered = HardwareByPort(registry);
  std::vector<ListedLine> lines;
  for (int port = 1; port <= kPortCount; ++port) {
    std::string path = device(port);
    const auto found = registered.find(port);
    if (found == registered.end()) {
      if (!path.empty()) lines.push_back({port, std::move(path), std::nullopt});
      continue;
    }
    if (path.empty()) path = "COM" + std::to_string(port);
    found->second.realDevice = path;
    lines.push_back({port, std::move(path), std::move(found->second)});
  }
  return lines;
}

}  // namespace userdb::cli
