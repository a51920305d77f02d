#include "menus/import_points.h"

#include "app/source_records.h"
#include "app/unsaved_page.h"
#include "app/whole_database.h"
#include "base/path_text.h"
#include "files/point_files.h"
#include "menus/change_lines.h"
#include "menus/import_preview.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

struct ReadList {
  std::vector<formats::ListPoint> points;
  std::vector<std::string> changes;  // ChangeLines: the same for every preview
};

std::optional<ReadList> ReadChosenList(FileContext& context, const FileChoice& choice,
                                       const std::vector<FileKind>& kinds) {
  const std::optional<formats::FileFormat> format = FormatFor(kinds.at(choice.kind), choice.path);
  if (!format) {
    Tell(context, menu::kImportPoints, Lines(files::ChooseFormat(choice.path, "", files::FileUse::Read).complaints));
    return std::nullopt;
  }
  files::FileResult<files::ListFile> read = files::ReadListFile(choice.path, *format, {});
  if (!read) {
    Tell(context, menu::kImportPoints, Lines(read.complaints));
    return std::nullopt;
  }
  return ReadList{std::move(read.value.points), ChangeLines(PathText(choice.path), read.value.changes)};
}

formats::MergeResult Merged(const UserDatabase& base, const ReadList& list, const formats::MergeOptions& options) {
  formats::MergeResult merged = formats::MergePoints(base, list.points, options);
  merged.database.speedUnit = base.speedUnit;
  return merged;
}

ImportPreview Previewed(const UserDatabase& base, const ReadList& list, const formats::MergeOptions& options) {
  return PreviewImport(Merged(base, list, options), list.changes);
}

// The list's points are remembered under the list they replace, else under the file's name.
void RememberSource(FileContext& context, const UserDatabase& before, const formats::MergeResult& merged,
                    const ImportSettings& settings, const std::filesystem::path& file) {
  if (context.state.sources == nullptr) return;
  const std::string name = settings.replace.empty() ? PathText(file.stem()) : settings.replace;
  const SourcesResult recorded = RecordAdded(*context.state.sources, before, merged.database, {name, Today()});
  if (!recorded) Tell(context, menu::kImportPoints, {recorded.message});
}

// Offered for replacing: the list of the file's name, when the database holds points of it.
ImportSettings StartSettings(const FileContext& context, const std::filesystem::path& file) {
  ImportSettings start;
  if (context.state.sources == nullptr) return start;
  const std::string name = PathText(file.stem());
  if (CountSources(*context.state.sources, context.state.database).contains(name)) start.replace = name;
  return start;
}

void Apply(FileContext& context, const formats::MergeResult& merged, const std::filesystem::path& file) {
  context.state.database.SetImage(merged.database.Image());
  ShowWholeDatabase(context.state, context.window);
  context.window.SetText(ids::kStatusBox,
                         "Imported " + PathText(file.filename()) + ":\r\n" + formats::DescribeSummary(merged.summary));
}

}  // namespace

void ImportPoints(FileContext& context) {
  if (!SettleUnsavedWork(context.state, context.window)) return;
  const std::vector<FileKind> kinds = KindsToOpen();
  const std::optional<FileChoice> choice = context.dialogs.ChooseFileToOpen("Import points", kinds);
  if (!choice) return;
  const std::optional<ReadList> list = ReadChosenList(context, *choice, kinds);
  if (!list) return;

  const UserDatabase& base = context.state.database;
  const PointSources* sources = context.state.sources;
  LoadedRoute route;
  const PreviewOf preview = [&](const ImportSettings& settings) {
    const MergeChoice options = MergeOptionsOf(settings, sources, route);
    if (!options.options) return ImportPreview{options.problem, {}, false};
    return Previewed(base, *list, *options.options);
  };
  const std::optional<ImportSettings> accepted =
      context.dialogs.ConfirmImport(choice->path, StartSettings(context, choice->path), preview);
  if (!accepted) return;
  // The dialog has shown that these settings import; worked out once more, they give the same.
  const MergeChoice options = MergeOptionsOf(*accepted, sources, route);
  if (!options.options) return;
  const formats::MergeResult merged = Merged(base, *list, *options.options);
  if (!PreviewImport(merged, {}).canImport) return;
  const UserDatabase before = base;
  Apply(context, merged, choice->path);
  RememberSource(context, before, merged, *accepted, choice->path);
}

}  // namespace userdb::menus
