#pragma once
// View > Show on map…: the database in memory as a GPX file, opened by whatever program the
// desktop has for GPX files.

#include "menus/file_context.h"

namespace userdb::menus {

void ShowOnMap(FileContext& context);

}  // namespace userdb::menus
