#pragma once
// The UUCP lock file by which serial programs tell each other that a device is in use:
// LCK..<device> in the lock folder, holding the owner's process ID in ASCII. A lock whose
// process is gone is stale and taken over.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace userdb::posix {

// $USERDB_LOCK_DIR, else /var/lock.
std::filesystem::path LockFolder();

// "LCK..ttyUSB0" for /dev/ttyUSB0; a device below /dev/ keeps its subfolders as '_'.
std::string LockFileName(const std::filesystem::path& device);

// The live process whose lock holds the device (0 when its lock has no number yet); nothing
// when none does. Only looks: a stale lock is left for the next Take.
std::optional<pid_t> LockHolderOf(const std::filesystem::path& device);

class UucpLock {
 public:
  UucpLock() = default;
  ~UucpLock() { Release(); }
  UucpLock(const UucpLock&) = delete;
  UucpLock& operator=(const UucpLock&) = delete;

  struct Holder {
    pid_t pid = 0;
    std::filesystem::path lockFile;
  };

  // Takes the lock for the device, whose real path is given. The holder when another live
  // process has it; nothing otherwise, also when no lock can be made here (no lock folder, no
  // right to write it), since then no other program can lock it either.
  std::optional<Holder> Take(const std::filesystem::path& device);
  // Removes the lock file if this process made it.
  void Release();

 private:
  std::optional<std::filesystem::path> held_;
};

}  // namespace userdb::posix
