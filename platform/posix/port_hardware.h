#pragma once
// What a serial device is, as the system tells it: its stable name under /dev/serial/by-id,
// the USB device behind it and its driver (from sysfs), a Bluetooth link's remote address,
// whether another program holds it, and whether this user may open it. So that a driver with
// three adapters can tell which COM number is theirs.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace userdb::posix {

// The folders the description is read from; tests point them at a fake tree.
struct SystemFolders {
  std::filesystem::path sys = "/sys";
  std::filesystem::path serialById = "/dev/serial/by-id";
};

struct UsbIdentity {
  std::string vendorId;  // four hex digits, as sysfs gives them
  std::string productId;
  std::string manufacturer;  // empty when the device names none
  std::string product;
  std::string serial;
};

struct PortHardware {
  std::filesystem::path device;               // the device the path leads to, links followed
  std::optional<std::filesystem::path> byId;  // a stable name that leads to it
  std::string driver;                         // "ftdi_sio", "cdc_acm", ...; empty when unknown
  std::optional<UsbIdentity> usb;
  std::optional<std::string> bluetoothAddress;  // an rfcomm link's remote device
  std::optional<pid_t> heldBy;                  // a live UUCP lock's process (0: number not yet written)
  bool mayOpen = true;                          // read and write access for this user
  std::string group;                            // the device's group, for the hint when it may not
};

PortHardware DescribeHardware(const std::filesystem::path& path, const SystemFolders& folders = {});

// $USERDB_SYS_DIR and $USERDB_BY_ID_DIR when set (tests), else the system's.
SystemFolders SystemFoldersHere();

}  // namespace userdb::posix
