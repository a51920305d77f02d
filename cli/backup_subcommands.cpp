#include "cli/backup_subcommands.h"

#include <iostream>

#include "base/path_text.h"
#include "cli/backup_commands.h"
#include "cli/device_run.h"
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
  CLI::Option* which =
      restore
          ->add_option("BACKUP", which_,
                       "its number in `userdb backups` or its file (default: the newest of a device that held points)")
          ->type_name("");
  restore
      ->add_flag("--before-write", beforeWrite_,
                 "the backup from before a write to the device that did not finish, kept as it was")
      ->excludes(which);
  AddWriteFlags(*restore, flags_);
  return restore;
}

int RestoreSubcommand::Run(const GlobalOptions& global) {
  if (beforeWrite_) {
    return RunOnDevice(global, flags_.yes, DeviceUse::PutsRight, [](const CommandContext& context) {
      return PutRightUnfinishedWrite(context, PutRightBy::RestoringTheBackup);
    });
  }
  const std::optional<std::filesystem::path> chosen =
      ChooseBackup(storage::BackupStore(storage::BackupFolder()), which_, std::cerr);
  if (!chosen) return exit_code::kFileProblem;
  // Naming a backup is a choice of what the device should hold, even after a write that broke off.
  return UploadFile(global, PathText(*chosen), "", kNoCameraType, flags_,
                    which_.empty() ? DeviceUse::Writes : DeviceUse::PutsRight);
}

CLI::App* ResumeSubcommand::AddTo(CLI::App& app) {
  CLI::App* resume =
      app.add_subcommand("resume", "write again what a write to the device that did not finish was writing");
  resume->add_flag("--yes,-y", yes_, "do not ask before writing");
  return resume;
}

int ResumeSubcommand::Run(const GlobalOptions& global) {
  return RunOnDevice(global, yes_, DeviceUse::PutsRight, [](const CommandContext& context) {
    return PutRightUnfinishedWrite(context, PutRightBy::WritingAgain);
  });
}

}  // namespace userdb::cli
