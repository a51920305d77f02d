#include "cli/port_report.h"

#include <cstdio>
#include <optional>

namespace userdb::cli {
namespace {

std::string UsbText(const LineHardware& hardware) {
  std::string text = "USB " + *hardware.usbIds;
  for (const std::string* name : {&hardware.manufacturer, &hardware.product}) {
    if (!name->empty()) text += " " + *name;
  }
  if (!hardware.serial.empty()) text += ", serial " + hardware.serial;
  return text;
}

std::optional<std::string> BluetoothText(const LineHardware& hardware) {
  const std::optional<bool> outgoing = hardware.bluetoothOutgoing;
  if (outgoing && !*outgoing) return "Bluetooth, incoming: not the one to use";
  if (!hardware.bluetoothAddress) return std::nullopt;
  const std::string link = "Bluetooth link to " + *hardware.bluetoothAddress;
  return outgoing ? link + ", outgoing: the one to use" : link;
}

std::vector<std::string> Facts(const LineHardware& hardware, const std::string& device) {
  std::vector<std::string> facts;
  if (!hardware.friendlyName.empty()) facts.push_back(hardware.friendlyName);
  if (hardware.realDevice != device) facts.push_back("is " + hardware.realDevice);
  if (hardware.byId) facts.push_back("stable name " + *hardware.byId);
  if (hardware.usbIds) facts.push_back(UsbText(hardware));
  if (!hardware.driver.empty()) facts.push_back("driver " + hardware.driver);
  if (std::optional<std::string> link = BluetoothText(hardware)) facts.push_back(std::move(*link));
  if (hardware.heldBy) {
    facts.push_back(*hardware.heldBy > 0 ? "held by process " + std::to_string(*hardware.heldBy) + " (a lock file)"
                                         : "held by another program (a lock file)");
  }
  if (!hardware.mayOpen) {
    const std::string group = hardware.group.empty() ? "dialout" : hardware.group;
    facts.push_back("you may not open it: join the group " + group + " (sudo usermod -aG " + group +
                    " $USER), then log in again");
  }
  return facts;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string JsonBool(bool value) { return value ? "true" : "false"; }

void Member(std::string& object, const std::string& name, const std::string& json) {
  object += (object.size() > 1 ? ", " : "") + JsonString(name) + ": " + json;
}

std::string PortJson(const ListedLine& line) {
  std::string object = "{";
  Member(object, "com", std::to_string(line.portNumber));
  Member(object, "path", JsonString(line.device));
  if (const std::optional<LineHardware>& hardware = line.hardware) {
    Member(object, "device", JsonString(hardware->realDevice));
    if (!hardware->friendlyName.empty()) Member(object, "friendly_name", JsonString(hardware->friendlyName));
    if (hardware->byId) Member(object, "by_id", JsonString(*hardware->byId));
    if (!hardware->driver.empty()) Member(object, "driver", JsonString(hardware->driver));
    if (hardware->usbIds) {
      const std::size_t colon = hardware->usbIds->find(':');
      Member(object, "usb_vendor_id", JsonString(hardware->usbIds->substr(0, colon)));
      Member(object, "usb_product_id", JsonString(hardware->usbIds->substr(colon + 1)));
      Member(object, "manufacturer", JsonString(hardware->manufacturer));
      Member(object, "product", JsonString(hardware->product));
      Member(object, "serial", JsonString(hardware->serial));
    }
    if (hardware->bluetoothAddress) Member(object, "bluetooth_address", JsonString(*hardware->bluetoothAddress));
    if (hardware->bluetoothOutgoing) Member(object, "bluetooth_outgoing", JsonBool(*hardware->bluetoothOutgoing));
    Member(object, "held", JsonBool(hardware->heldBy.has_value()));
    if (hardware->heldBy && *hardware->heldBy > 0) Member(object, "held_by_pid", std::to_string(*hardware->heldBy));
    Member(object, "may_open", JsonBool(hardware->mayOpen));
  }
  return object + "}";
}

}  // namespace

std::string PortsText(const std::vector<ListedLine>& lines) {
  std::string text;
  for (const ListedLine& line : lines) {
    text += "COM" + std::to_string(line.portNumber) + "\t" + line.device + "\n";
    if (!line.hardware) continue;
    for (const std::string& fact : Facts(*line.hardware, line.device)) text += "\t" + fact + "\n";
  }
  return text;
}

std::string PortsJson(const std::vector<ListedLine>& lines) {
  std::string json = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) json += (i == 0 ? "\n  " : ",\n  ") + PortJson(lines[i]);
  return json + (lines.empty() ? "]\n" : "\n]\n");
}

}  // namespace userdb::cli
