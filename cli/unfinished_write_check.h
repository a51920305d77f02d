#pragma once
// The command line's side of a write that broke off: every command that reaches the device
// first finds out whether a write to it was left unfinished, and `userdb resume` and `userdb
// restore --before-write` put one right.

#include <optional>

#include "cli/cli_commands.h"

namespace userdb::cli {

enum class DeviceUse {
  Reads,      // told of an unfinished write, and goes on
  Writes,     // refused while one leaves the device holding neither side
  PutsRight,  // the command that settles it
};

// Reads the device only when a record names it. When the device holds the write or the points
// from before, the record is dropped and the user told which; otherwise the user is told both
// ways out. The exit status to stop with, or nothing to go on.
std::optional<int> CheckUnfinishedWrite(const CommandContext& context, DeviceUse use);

enum class PutRightBy {
  WritingAgain,       // the image of the unfinished write
  RestoringTheBackup  // the backup from before it
};

// After CheckUnfinishedWrite(context, DeviceUse::PutsRight).
int PutRightUnfinishedWrite(const CommandContext& context, PutRightBy way);

}  // namespace userdb::cli
