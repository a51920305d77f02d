#pragma once
// What the lists of backups say of one beyond its date, device and points: the marks that tell
// which one to restore.

#include <string>

#include "app/backups.h"

namespace userdb {

// "before writing", "empty device", both, or nothing.
std::string BackupNote(const BackupEntry& entry);

}  // namespace userdb
