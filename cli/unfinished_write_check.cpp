#include "cli/unfinished_write_check.h"

#include <string>

#include "app/unfinished_write.h"
#include "cli/exit_codes.h"

namespace userdb::cli {
namespace {

// The same line again, so that what is pasted reaches the same device.
std::string PortOption(const CommandContext& context) {
  return context.portPath ? " --port " + *context.portPath : " --port COM" + std::to_string(context.portNumber);
}

void TellBothWaysOut(const CommandContext& context, const UnfinishedWrite& write) {
  std::ostream& errors = context.errors;
  errors << "userdb: the last write to the device on " << write.port
         << " did not finish: it holds neither the points written nor those from before.\n";
  errors << "userdb: to write those " << PointsText(write.image) << " again:  userdb resume" << PortOption(context)
         << '\n';
  if (const std::optional<TransferImage> before = BackupBefore(write, context.state.backups)) {
    errors << "userdb: to restore the " << PointsText(*before) << " from before:  userdb restore --before-write"
           << PortOption(context) << "  (" << write.backupBefore->string() << ")\n";
  } else {
    errors << "userdb: no backup from before that write can be read\n";
  }
}

std::optional<UnfinishedWrite> RecordOfThisDevice(const CommandContext& context) {
  return PendingFor(context.state, PortName(context));
}

}  // namespace

std::optional<int> CheckUnfinishedWrite(const CommandContext& context, DeviceUse use) {
  const std::optional<UnfinishedWrite> pending = RecordOfThisDevice(context);
  if (!pending) return std::nullopt;
  if (!context.quiet) context.errors << "userdb: reading the device to check a write to it that did not finish\n";
  const DeviceRead read = ReadDevice(context);
  if (!read.database) {
    context.errors << "userdb: the last write to the device on " << pending->port
                   << " did not finish, and the device could not be read to check it\n";
    return use == DeviceUse::Reads ? std::nullopt : std::optional(exit_code::kDeviceFailure);
  }
  const DeviceHolds holds = WhatDeviceHolds(*pending, read.database->Image(), context.state.backups);
  if (holds != DeviceHolds::Neither) {
    context.state.journal->Clear();
    context.errors << "userdb: " << SettledText(*pending, holds) << '\n';
    return std::nullopt;
  }
  TellBothWaysOut(context, *pending);
  if (use != DeviceUse::Writes) return std::nullopt;
  context.errors << "userdb: nothing was written: the device is left as it is until you choose\n";
  return exit_code::kUnfinishedWrite;
}

int PutRightUnfinishedWrite(const CommandContext& context, PutRightBy way) {
  const std::optional<UnfinishedWrite> pending = RecordOfThisDevice(context);
  if (!pending) {
    if (!context.quiet) context.output << "No write to the device on " << PortName(context) << " is unfinished\n";
    return exit_code::kSuccess;
  }
  const WriteSteps steps{.backupFirst = false, .verify = true, .record = false};
  if (way == PutRightBy::WritingAgain) return WriteImage(context, pending->image, steps);
  const std::optional<TransferImage> before = BackupBefore(*pending, context.state.backups);
  if (!before) {
    context.errors << "userdb: no backup from before that write can be read"
                   << (pending->backupBefore ? ": " + pending->backupBefore->string() : std::string()) << '\n';
    return exit_code::kFileProblem;
  }
  return WriteImage(context, *before, steps);
}

}  // namespace userdb::cli
