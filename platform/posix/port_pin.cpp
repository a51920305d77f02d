#include "platform/posix/port_pin.h"

#include <unistd.h>

#include "platform/posix/ports_folder.h"

namespace userdb::posix {

PinPortResult PinPort(int portNumber, const std::filesystem::path& path, const SystemFolders& folders) {
  namespace fs = std::filesystem;
  std::error_code failure;
  if (portNumber < kFirstPort || portNumber > kLastPort) {
    return {PinPortOutcome::NotAPort, {}, "COM" + std::to_string(portNumber) + " is not a port: COM1 to COM256"};
  }
  if (!fs::exists(path, failure)) return {PinPortOutcome::NoSuchDevice, {}, path.string() + " does not exist"};
  const PortHardware hardware = DescribeHardware(path, folders);
  const fs::path target = hardware.byId.value_or(fs::absolute(path, failure));
  const fs::path entry = PortsFolderEntry(portNumber);
  fs::create_directories(entry.parent_path(), failure);
  // A new link beside the old entry, renamed over it: the entry is never missing.
  const fs::path fresh = entry.parent_path() / (".com" + std::to_string(portNumber) + "." + std::to_string(getpid()));
  fs::remove(fresh, failure);
  fs::create_symlink(target, fresh, failure);
  if (!failure) fs::rename(fresh, entry, failure);
  if (failure) {
    PinPortResult unwritten{
        PinPortOutcome::CannotWrite, {}, "cannot write " + entry.string() + ": " + failure.message()};
    fs::remove(fresh, failure);
    return unwritten;
  }
  return {PinPortOutcome::Pinned, {entry, target}, {}};
}

}  // namespace userdb::posix
