#include "storage/user_files.h"

#include "storage/data_folder.h"

namespace userdb::storage {
UserFiles::UserFiles() : UserFiles(DataFolder()) {}

UserFiles::UserFiles(const std::optional<std::filesystem::path>& dataFolder)
    : backups(BackupFolderIn(dataFolder)), journal(dataFolder), sources(dataFolder) {
  // The backup an unfinished write would go back to outlives any number of later downloads.
  backups.SetPinned([this] { return journal.PinnedBackups(); });
}

void UserFiles::ServeTo(ProgramState& state) {
  state.backups = &backups;
  state.journal = &journal;
  state.sources = &sources;
}

}  // namespace userdb::storage
