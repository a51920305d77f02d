#pragma once
// File > Import points…: a list in any readable format, merged into the database in memory by
// the merge's rules after a preview; the device learns of it only from "EXIT and write to  Device".

#include "menus/file_context.h"

namespace userdb::menus {

void ImportPoints(FileContext& context);

}  // namespace userdb::menus
