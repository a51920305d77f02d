#include "app/backup_note.h"

namespace userdb {

std::string BackupNote(const BackupEntry& entry) {
  std::string note = entry.beforeWrite ? "before writing" : "";
  if (entry.points == 0) note += note.empty() ? "empty device" : ", empty device";
  return note;
}

}  // namespace userdb
