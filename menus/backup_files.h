#pragma once
// File > Save backup… and File > Restore backup…: the database in memory kept as a device
// image, and a kept one loaded back into memory as a download would load it.

#include "menus/file_context.h"

namespace userdb::menus {

void SaveBackup(FileContext& context);
void RestoreBackup(FileContext& context);

}  // namespace userdb::menus
