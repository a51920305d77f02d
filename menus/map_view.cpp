#include "menus/map_view.h"

#include <ctime>
#include <filesystem>

#include "app/loaded_test.h"
#include "app/unsaved_page.h"
#include "files/point_files.h"
#include "menus/export_points.h"
#include "storage/backup_name.h"
#include "storage/backup_store.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

// A new file for each showing: a map program may still hold the last one open.
std::filesystem::path MapFileFor(std::time_t moment) {
  const storage::BackupName stamp = storage::NameFor(moment, std::nullopt);
  std::error_code ignored;
  return std::filesystem::temp_directory_path(ignored) / ("userdb-points-" + stamp.date + "-" + stamp.time + ".gpx");
}

}  // namespace

void ShowOnMap(FileContext& context) {
  if (!PassesLoadedTest(context.state, context.window) || !SettleUnsavedWork(context.state, context.window)) return;
  const std::filesystem::path file = MapFileFor(storage::BackupStore::DefaultClock()());
  const files::SaveResult saved = files::SavePointsFile(file, formats::FileFormat::Gpx, context.state.database);
  if (!saved) {
    Tell(context, menu::kShowOnMap, Lines(saved.complaints));
    return;
  }
  if (context.dialogs.OpenWithDesktop(file)) return;
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  if (Ask(context, menu::kShowOnMap,
          "No program on this computer shows GPX files on a map.\n\nExport the points to a file instead?") ==
      BoxAnswer::Yes) {
    ExportToChosenFile(context);
  }
}

}  // namespace userdb::menus
