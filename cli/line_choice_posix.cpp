#include "cli/fixed_path_port.h"
#include "cli/line_choice.h"
#include "platform/posix/port_argument.h"
#include "platform/posix/port_hardware.h"
#include "platform/posix/port_listing.h"
#include "platform/posix/port_pin.h"
#include "platform/posix/ports_folder.h"

namespace userdb::cli {

LineChoiceResult ChooseLine(std::optional<std::string_view> portArgument) {
  if (!portArgument)
    return {LineOutcome::Chosen, {std::make_unique<PosixSerialPort>(), kDefaultPort, std::nullopt}, {}};
  const std::optional<posix::PortArgument> parsed = posix::ParsePortArgument(*portArgument);
  if (!parsed) return NoPortCalled(*portArgument);
  if (const auto* path = std::get_if<std::filesystem::path>(&*parsed)) {
    return {LineOutcome::Chosen, {std::make_unique<FixedPathPort>(*path), kDefaultPort, path->string()}, {}};
  }
  return {LineOutcome::Chosen, {std::make_unique<PosixSerialPort>(), std::get<int>(*parsed), std::nullopt}, {}};
}

namespace {

LineHardware HardwareOf(const std::filesystem::path& device) {
  const posix::PortHardware found = posix::DescribeHardware(device, posix::SystemFoldersHere());
  LineHardware hardware;
  hardware.realDevice = found.device.string();
  if (found.byId) hardware.byId = found.byId->string();
  hardware.driver = found.driver;
  if (found.usb) {
    hardware.usbIds = found.usb->vendorId + ":" + found.usb->productId;
    hardware.manufacturer = found.usb->manufacturer;
    hardware.product = found.usb->product;
    hardware.serial = found.usb->serial;
  }
  hardware.bluetoothAddress = found.bluetoothAddress;
  if (found.heldBy) hardware.heldBy = static_cast<long>(*found.heldBy);
  hardware.mayOpen = found.mayOpen;
  hardware.group = found.group;
  return hardware;
}

}  // namespace

std::vector<ListedLine> ListLines() {
  std::vector<ListedLine> lines;
  for (const posix::ListedPort& port : posix::ListPorts()) {
    lines.push_back({port.portNumber, port.devicePath.string(), HardwareOf(port.devicePath)});
  }
  return lines;
}

namespace {

PinLineOutcome LineOutcomeOf(posix::PinPortOutcome outcome) {
  switch (outcome) {
    case posix::PinPortOutcome::Pinned:
      return PinLineOutcome::Pinned;
    case posix::PinPortOutcome::NotAPort:
      return PinLineOutcome::NotAComNumber;
    case posix::PinPortOutcome::NoSuchDevice:
      return PinLineOutcome::NoSuchDevice;
    case posix::PinPortOutcome::CannotWrite:
      break;
  }
  return PinLineOutcome::CannotWrite;
}

}  // namespace

PinLineResult PinLine(std::string_view com, const std::string& path) {
  const std::optional<posix::PortArgument> parsed = posix::ParsePortArgument(com);
  if (!parsed || !std::holds_alternative<int>(*parsed)) {
    return {PinLineOutcome::NotAComNumber,
            {},
            "--pin takes a COM number, COM1 to COM256 (COMn or n), not \"" + std::string(com) + "\""};
  }
  const int portNumber = std::get<int>(*parsed);
  const posix::PinPortResult pinned = posix::PinPort(portNumber, path, posix::SystemFoldersHere());
  if (!pinned) return {LineOutcomeOf(pinned.outcome), {}, pinned.message};
  return {PinLineOutcome::Pinned,
          "COM" + std::to_string(portNumber) + " is " + pinned.pinned.entry.string() + " -> " +
              pinned.pinned.target.string(),
          {}};
}

std::string_view PortNamingHelp() { return posix::PortNamingHelp(); }

}  // namespace userdb::cli
