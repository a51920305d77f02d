#include "menus/backup_files.h"

#include "app/loaded_test.h"
#include "app/unsaved_page.h"
#include "app/whole_database.h"
#include "menus/export_points.h"
#include "storage/atomic_file.h"
#include "storage/backup_name.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

// In the backups folder, named as the program names its own, so that the list shows it.
std::filesystem::path ProposedBackup(const FileContext& context) {
  const std::string name =
      storage::NameFor(storage::BackupStore::DefaultClock()(), context.state.serialNumber).FileName();
  if (context.backups == nullptr || !context.backups->Folder()) return name;
  std::error_code ignored;
  std::filesystem::create_directories(*context.backups->Folder(), ignored);
  return *context.backups->Folder() / name;
}

std::string NoBackupsText(const FileContext& context) {
  if (context.backups == nullptr || !context.backups->Folder()) {
    return "No backups are kept: the environment names no data folder (set USERDB_DATA_DIR).";
  }
  return "There is no backup yet in " + context.backups->Folder()->string() + ".";
}

}  // namespace

void SaveBackup(FileContext& context) {
  if (!PassesLoadedTest(context.window) || !SettleUnsavedWork(context.state, context.window)) return;
  const std::vector<FileKind> kinds = BackupKinds();
  const std::optional<FileChoice> choice =
      context.dialogs.ChooseFileToSave("Save backup", kinds, ProposedBackup(context));
  if (!choice) return;
  const std::filesystem::path path = WithExtension(choice->path, kinds.front());
  const TransferImage image = context.state.database.Image();
  std::string error;
  if (!storage::WriteFileAtomically(path, image, error)) {
    Tell(context, menu::kSaveBackup, error);
    return;
  }
  Tell(context, menu::kSaveBackup, "Saved a backup to " + path.string() + ".");
}

void RestoreBackup(FileContext& context) {
  const std::vector<storage::BackupEntry> entries =
      context.backups != nullptr ? context.backups->List() : std::vector<storage::BackupEntry>{};
  if (entries.empty()) {
    Tell(context, menu::kRestoreBackup, NoBackupsText(context));
    return;
  }
  if (!SettleUnsavedWork(context.state, context.window)) return;
  const std::optional<std::size_t> chosen = context.dialogs.ChooseBackup(entries);
  if (!chosen || *chosen >= entries.size()) return;
  const storage::BackupEntry& entry = entries[*chosen];
  std::string error;
  const std::optional<TransferImage> image = storage::LoadBackup(entry.file, error);
  if (!image) {
    Tell(context, menu::kRestoreBackup, error);
    return;
  }
  context.state.database.SetImage(*image);
  ShowWholeDatabase(context.state, context.window);
  context.window.SetText(ids::kStatusBox, "Restored the backup of " + entry.taken + ": " +
                                              std::to_string(entry.points) +
                                              " points.\r\nNothing reaches the "
                                              "device before \"EXIT and write to  Device\".");
}

}  // namespace userdb::menus
