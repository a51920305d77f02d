#include "storage/user_files.h"

#include "storage/data_folder.h"

namespace userdb::storage {
UserFiles::UserFiles() : UserFiles(DataFolder()) {}

UserFiles::UserFiles(const std::optional<std::filesystem::path>& dataFolder)
    : backups(BackupFolderIn(dataFolder)), journal(dataFolder) {}

void UserFiles::ServeTo(ProgramState& state) {
  state.backups = &backups;
  state.journal = &journal;
}

}  // namespace userdb::storage
