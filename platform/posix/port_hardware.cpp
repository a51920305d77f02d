#include "platform/posix/port_hardware.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/posix/uucp_lock.h"

namespace userdb::posix {
namespace {

namespace fs = std::filesystem;

// Far more than any attribute sysfs gives a tty or a USB device.
constexpr std::streamsize kLongestAttribute = 256;
// A USB interface lies a few levels below its device; past this there is none.
constexpr int kDeepestInterface = 8;

// One line of a sysfs attribute, without its newline; empty when there is none.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string text(static_cast<std::size_t>(kLongestAttribute), '\0');
  in.read(text.data(), kLongestAttribute);
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text.substr(0, text.find('\n'));
}

fs::path Canonical(const fs::path& path) {
  std::error_code error;
  const fs::path canonical = fs::canonical(path, error);
  return error ? path : canonical;
}

// The nearest folder at or above the tty's device that holds a USB device's IDs.
std::optional<UsbIdentity> UsbAbove(fs::path folder, const fs::path& sysRoot) {
  std::error_code error;
  for (int level = 0; level < kDeepestInterface && folder.has_relative_path() && folder != sysRoot; ++level) {
    if (fs::exists(folder / "idVendor", error)) {
      return UsbIdentity{Attribute(folder / "idVendor"), Attribute(folder / "idProduct"),
                         Attribute(folder / "manufacturer"), Attribute(folder / "product"),
                         Attribute(folder / "serial")};
    }
    folder = folder.parent_path();
  }
  return std::nullopt;
}

std::optional<fs::path> StableName(const fs::path& device, const fs::path& byIdFolder) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(byIdFolder, error)) {
    if (Canonical(entry.path()) == device) return entry.path();
  }
  return std::nullopt;
}

void ReadAccess(const fs::path& device, PortHardware& hardware) {
  hardware.mayOpen = access(device.c_str(), R_OK | W_OK) == 0;
  struct stat status {};
  if (stat(device.c_str(), &status) != 0) return;
  if (const group* owner = getgrgid(status.st_gid)) hardware.group = owner->gr_name;
}

}  // namespace

PortHardware DescribeHardware(const fs::path& path, const SystemFolders& folders) {
  PortHardware hardware;
  hardware.device = Canonical(path);
  const fs::path tty = folders.sys / "class" / "tty" / hardware.device.filename();
  hardware.byId = StableName(hardware.device, folders.serialById);
  std::error_code error;
  const fs::path device = fs::canonical(tty / "device", error);
  if (!error) {
    hardware.driver = fs::read_symlink(device / "driver", error).filename().string();
    hardware.usb = UsbAbove(device, Canonical(folders.sys));
  }
  if (const std::string address = Attribute(tty / "address"); !address.empty()) hardware.bluetoothAddress = address;
  hardware.heldBy = LockHolderOf(hardware.device);
  ReadAccess(hardware.device, hardware);
  return hardware;
}

SystemFolders SystemFoldersHere() {
  SystemFolders folders;
  if (const char* sys = std::getenv("USERDB_SYS_DIR"); sys != nullptr && *sys != '\0') folders.sys = sys;
  if (const char* byId = std::getenv("USERDB_BY_ID_DIR"); byId != nullptr && *byId != '\0') folders.serialById = byId;
  return folders;
}

}  // namespace userdb::posix
