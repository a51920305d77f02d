#include "cli/backup_subcommands.h"

#include <iostream>

#include "cli/backup_commands.h"
#include "cli/exit_codes.h"
#include "storage/backup_store.h"
#include "storage/data_folder.h"

namespace userdb::cli {

CLI::App* BackupsSubcommand::AddTo(CLI::App& app) {
  return app.add_subcommand("backups", "list the copies of the device that downloads kept, newest first");
}

int BackupsSubcommand::Run(const GlobalOptions& /*global*/) {
  return ListBackups(storage::BackupStore(storage::BackupFolder()), std::cout);
}

CLI::App* RestoreSubcommand::AddTo(CLI::App& app) {
  CLI::App* restore = app.add_subcommand("restore", "write a backup back to the device, then read it back to verify");
  restore
      ->add_option("BACKUP", which_,
                   "its number in `userdb backups` or its file (default: the newest of a device that held points)")
      ->type_name("");
  AddWriteFlags(*restore, flags_);
  return restore;
}

int RestoreSubcommand::Run(const GlobalOptions& global) {
  const std::optional<std::filesystem::path> chosen =
      ChooseBackup(storage::BackupStore(storage::BackupFolder()), which_, std::cerr);
  if (!chosen) return exit_code::kFileProblem;
  return UploadFile(global, chosen->string(), "", kNoCameraType, flags_);
}

}  // namespace userdb::cli
