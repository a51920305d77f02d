#pragma once
// What a device holds after a write that was never verified, and how to tell the user: the
// window and the command line decide from the same comparison and say it in the same words.

#include <filesystem>
#include <optional>
#include <string>

#include "app/backups.h"
#include "app/program_state.h"
#include "app/write_journal.h"

namespace userdb {

enum class DeviceHolds {
  TheWrite,         // it had stored everything after all
  TheBackupBefore,  // the write changed nothing
  Neither,          // empty, half written, or changed by someone else since
};

// The backup before is compared only when it can still be read.
DeviceHolds WhatDeviceHolds(const UnfinishedWrite& write, const TransferImage& device, const Backups* backups);

// The backup from before, when it is named and can still be read.
std::optional<TransferImage> BackupBefore(const UnfinishedWrite& write, const Backups* backups);

namespace unfinished {
inline constexpr const char* kCaption = "Unfinished write";
inline constexpr const char* kWriteAgain = "Write again";
inline constexpr const char* kRestoreBefore = "Restore the backup from before";
inline constexpr const char* kNotNow = "Not now";
}  // namespace unfinished

// For TheWrite and TheBackupBefore: which one the device holds, now that nothing is unfinished.
std::string SettledText(const UnfinishedWrite& write, DeviceHolds holds);
// For Neither, in the window: what happened and what each of its choices would write.
std::string UnsettledText(const UnfinishedWrite& write, const Backups* backups);

// The record of a write of image about to start on port. A record of this device that is still
// open keeps its backup from before, as the device has held nothing worth going back to since;
// otherwise it is keptBefore, the copy a front-end took for this write, or else a copy of what
// the device last gave, kept now and marked as such.
UnfinishedWrite WriteToRecord(ProgramState& state, const std::string& port, const TransferImage& image,
                              const std::optional<std::filesystem::path>& keptBefore = std::nullopt);

// The record of a write to the device now on port that is still open, if any.
std::optional<UnfinishedWrite> PendingFor(const ProgramState& state, const std::string& port);

// "1 point", "32 points": how many an image holds.
std::string PointsText(const TransferImage& image);

// The journal as it was before a write that sent nothing after all: earlier's record, or none.
void PutBackRecord(WriteJournal& journal, const std::optional<UnfinishedWrite>& earlier);

// How a record names the port the window talks on.
inline std::string ComPortName(int portNumber) { return "COM" + std::to_string(portNumber); }

}  // namespace userdb
