#pragma once
// The list of backups to restore one from: when each was taken, the device's serial number, how
// many points it holds, and whether it was taken before a write or of an empty device.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

#include "app/backups.h"

namespace userdb::win32 {

namespace backup_dialog {
inline constexpr int kList = 101;  // one entry a backup, its columns apart by tabs
}  // namespace backup_dialog

// Restore is IDOK (as is a double click on an entry), Cancel IDCANCEL; the index of the entry
// chosen, nothing for Cancel.
std::optional<std::size_t> RunBackupDialog(HWND owner, std::span<const BackupEntry> backups);

}  // namespace userdb::win32
