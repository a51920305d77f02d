#include "app/unfinished_write.h"

namespace userdb {
namespace {

std::string DeviceName(const UnfinishedWrite& write) {
  return write.serialNumber ? "the device " + std::to_string(*write.serialNumber) + " on " + write.port
                            : "the device on " + write.port;
}

}  // namespace

bool NamesDevice(const UnfinishedWrite& write, std::optional<std::uint32_t> serialNumber, const std::string& port) {
  if (write.serialNumber && serialNumber) return *write.serialNumber == *serialNumber;
  return write.port == port;
}

std::optional<TransferImage> BackupBefore(const UnfinishedWrite& write, const Backups* backups) {
  if (!write.backupBefore || backups == nullptr) return std::nullopt;
  const ImageLoadResult loaded = backups->Load(*write.backupBefore);
  if (!loaded) return std::nullopt;
  return loaded.image;
}

DeviceHolds WhatDeviceHolds(const UnfinishedWrite& write, const TransferImage& device, const Backups* backups) {
  if (device == write.image) return DeviceHolds::TheWrite;
  const std::optional<TransferImage> before = BackupBefore(write, backups);
  return before && device == *before ? DeviceHolds::TheBackupBefore : DeviceHolds::Neither;
}

UnfinishedWrite WriteToRecord(ProgramState& state, const std::string& port, const TransferImage& image,
                              const std::optional<std::filesystem::path>& keptBefore) {
  UnfinishedWrite write{state.serialNumber, port, keptBefore, image};
  const std::optional<UnfinishedWrite> open = PendingFor(state, port);
  if (open && open->backupBefore) {
    write.backupBefore = open->backupBefore;
  } else if (!keptBefore && state.backups != nullptr && state.deviceImage) {
    const KeepResult kept = state.backups->Keep(*state.deviceImage, state.serialNumber, BackupReason::BeforeWrite);
    if (kept) write.backupBefore = kept.file;
  }
  return write;
}

std::optional<UnfinishedWrite> PendingFor(const ProgramState& state, const std::string& port) {
  if (state.journal == nullptr) return std::nullopt;
  std::optional<UnfinishedWrite> pending = state.journal->Pending();
  if (!pending || !NamesDevice(*pending, state.serialNumber, port)) return std::nullopt;
  return pending;
}

std::string PointsText(const TransferImage& image) {
  const std::size_t count = CountPoints(image);
  return std::to_string(count) + (count == 1 ? " point" : " points");
}

void PutBackRecord(WriteJournal& journal, const std::optional<UnfinishedWrite>& earlier) {
  if (earlier) {
    journal.Record(*earlier);  // it was read whole a moment ago; failing now, the newer record stays
  } else {
    journal.Clear();
  }
}

std::string SettledText(const UnfinishedWrite& write, DeviceHolds holds) {
  const std::string start = "The last write to " + DeviceName(write) + " had not been confirmed. ";
  if (holds == DeviceHolds::TheWrite) {
    return start + "It holds the " + PointsText(write.image) + " that were written: nothing was lost.";
  }
  return start + "It still holds the points from before the write: the write changed nothing.";
}

std::string UnsettledText(const UnfinishedWrite& write, const Backups* backups) {
  const std::string lineBreak = "\r\n";
  std::string text = "The last write to " + DeviceName(write) +
                     " did not finish: the device holds neither the points written nor those from before." + lineBreak +
                     lineBreak + "\"" + unfinished::kWriteAgain + "\" writes the " + PointsText(write.image) +
                     " of that write again." + lineBreak;
  if (const std::optional<TransferImage> before = BackupBefore(write, backups)) {
    text += "\"" + std::string(unfinished::kRestoreBefore) + "\" writes back the " + PointsText(*before) +
            " it held before, kept in " + write.backupBefore->string() + "." + lineBreak;
  } else {
    text += "No backup from before the write can be read." + lineBreak;
  }
  return text + "\"" + unfinished::kNotNow + "\" leaves the device as it is; you are asked again on the next connect.";
}

}  // namespace userdb
