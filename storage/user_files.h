#pragma once
// The user's files a run of the program keeps in the data folder: the copies of the device, the
// record of a write not yet verified and where the points came from, served to the program's
// state together.

#include <filesystem>
#include <optional>

#include "app/program_state.h"
#include "storage/backup_store.h"
#include "storage/journal_file.h"
#include "storage/source_file.h"

namespace userdb::storage {

class UserFiles {
 public:
  // In the data folder the environment names (data_folder.h).
  UserFiles();
  // Nothing: the environment names no folder, and nothing is kept.
  explicit UserFiles(const std::optional<std::filesystem::path>& dataFolder);
  UserFiles(const UserFiles&) = delete;
  UserFiles& operator=(const UserFiles&) = delete;

  void ServeTo(ProgramState& state);

  BackupStore backups;
  JournalFile journal;
  SourceFile sources;
};

}  // namespace userdb::storage
