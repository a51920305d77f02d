#include "menus/file_menu.h"

#include "menus/backup_files.h"
#include "menus/export_points.h"
#include "menus/import_points.h"
#include "menus/map_view.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

void (*CommandOf(int command))(FileContext&) {
  switch (command) {
    case menu::kImportPoints:
      return &ImportPoints;
    case menu::kExportPoints:
      return &ExportPoints;
    case menu::kSaveBackup:
      return &SaveBackup;
    case menu::kRestoreBackup:
      return &RestoreBackup;
    case menu::kShowOnMap:
      return &ShowOnMap;
    default:
      return nullptr;
  }
}

}  // namespace

bool ChooseMenuItem(int command, CommandRouter& router, FileContext& context) {
  if (command == menu::kExit) {
    router.CancelCommand();
    return true;
  }
  const auto run = CommandOf(command);
  if (run == nullptr) return false;
  router.Run([&] { run(context); });
  return true;
}

}  // namespace userdb::menus
