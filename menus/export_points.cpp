#include "menus/export_points.h"

#include "app/loaded_test.h"
#include "app/unsaved_page.h"
#include "base/path_text.h"
#include "files/point_files.h"
#include "formats/points_file.h"
#include "window/menu_bar.h"

namespace userdb::menus {

std::filesystem::path WithExtension(const std::filesystem::path& path, const FileKind& kind) {
  if (path.has_extension() || kind.patterns.empty()) return path;
  std::filesystem::path extended = path;
  return extended.replace_extension(kind.patterns.front().substr(1));  // "*.gpx" gives ".gpx"
}

void ExportPoints(FileContext& context) {
  if (!PassesLoadedTest(context.state, context.window) || !SettleUnsavedWork(context.state, context.window)) return;
  ExportToChosenFile(context);
}

void ExportToChosenFile(FileContext& context) {
  const std::vector<FileKind> kinds = KindsToSave();
  const std::optional<FileChoice> choice = context.dialogs.ChooseFileToSave("Export points", kinds, "points.gpx");
  if (!choice) return;
  const FileKind& kind = kinds.at(choice->kind);
  const std::filesystem::path path = WithExtension(choice->path, kind);
  files::Changes changes;
  const std::optional<formats::FileFormat> format = FormatFor(kind, path);
  const files::SaveResult saved =
      format ? files::SavePointsFile(path, *format, context.state.database, {}, &changes) : files::SaveResult{};
  if (!format || !saved) {
    Tell(context, menu::kExportPoints, Lines(saved.complaints));
    return;
  }
  std::string told =
      "Exported " + std::to_string(formats::PointCount(context.state.database)) + " points to " + PathText(path) + ".";
  if (!changes.empty()) told += "\n\nTo fit the format:\n" + Lines(changes);
  Tell(context, menu::kExportPoints, told);
}

}  // namespace userdb::menus
