#include "menus/backup_files.h"

#include "app/loaded_test.h"
#include "app/unsaved_page.h"
#include "app/whole_database.h"
#include "base/path_text.h"
#include "menus/export_points.h"
#include "storage/atomic_file.h"
#include "storage/backup_name.h"
#include "storage/backup_store.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

// Nothing when no backups are kept.
std::optional<std::filesystem::path> BackupFolder(const ProgramState& state) {
  return state.backups != nullptr ? state.backups->Folder() : std::nullopt;
}

// In the backups folder, named as the program names its own, so that the list shows it.
std::filesystem::path ProposedBackup(const FileContext& context) {
  const std::string name =
      storage::NameFor(storage::BackupStore::DefaultClock()(), context.state.serialNumber).FileName();
  const std::optional<std::filesystem::path> folder = BackupFolder(context.state);
  if (!folder) return name;
  std::error_code ignored;
  std::filesystem::create_directories(*folder, ignored);
  return *folder / name;
}

std::string NoBackupsText(const FileContext& context) {
  const std::optional<std::filesystem::path> folder = BackupFolder(context.state);
  if (!folder) return "No backups are kept: the environment names no data folder (set USERDB_DATA_DIR).";
  return "There is no backup yet in " + PathText(*folder) + ".";
}

}  // namespace

void SaveBackup(FileContext& context) {
  if (!PassesLoadedTest(context.state, context.window) || !SettleUnsavedWork(context.state, context.window)) return;
  const std::vector<FileKind> kinds = BackupKinds();
  const std::optional<FileChoice> choice =
      context.dialogs.ChooseFileToSave("Save backup", kinds, ProposedBackup(context));
  if (!choice) return;
  const std::filesystem::path path = WithExtension(choice->path, kinds.front());
  const TransferImage image = context.state.database.Image();
  const storage::FileWriteResult written = storage::WriteFileAtomically(path, image);
  if (!written) {
    Tell(context, menu::kSaveBackup, written.message);
    return;
  }
  Tell(context, menu::kSaveBackup, "Saved a backup to " + PathText(path) + ".");
}

void RestoreBackup(FileContext& context) {
  const Backups* backups = context.state.backups;
  const std::vector<BackupEntry> entries = backups != nullptr ? backups->List() : std::vector<BackupEntry>{};
  if (backups == nullptr || entries.empty()) {
    Tell(context, menu::kRestoreBackup, NoBackupsText(context));
    return;
  }
  if (!SettleUnsavedWork(context.state, context.window)) return;
  const std::optional<std::size_t> chosen = context.dialogs.ChooseBackup(entries);
  if (!chosen || *chosen >= entries.size()) return;
  const BackupEntry& entry = entries[*chosen];
  const ImageLoadResult loaded = backups->Load(entry.file);
  if (!loaded) {
    Tell(context, menu::kRestoreBackup, loaded.message);
    return;
  }
  context.state.database.SetImage(loaded.image);
  ShowWholeDatabase(context.state, context.window);
  context.window.SetText(ids::kStatusBox, "Restored the backup of " + entry.taken + ": " +
                                              std::to_string(entry.points) +
                                              " points.\r\nNothing reaches the "
                                              "device before \"EXIT and write to  Device\".");
}

}  // namespace userdb::menus
