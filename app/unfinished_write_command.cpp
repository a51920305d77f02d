#include "app/unfinished_write_command.h"

#include <string>
#include <vector>

#include "app/connect_command.h"
#include "app/download_command.h"
#include "app/unfinished_write.h"
#include "app/upload_command.h"
#include "app/whole_database.h"
#include "app/window_presenter.h"
#include "device/download.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

constexpr const char* kCheckingStatus = "Reading the device to check the write that did not finish ....";
constexpr const char* kCheckFailed =
    "The device could not be read to check the write that did not finish.\r\n"
    "Load the database from the device to try again.";

std::optional<UnfinishedWrite> RecordOfThisDevice(const ProgramState& state, const Window& window) {
  return PendingFor(state, ComPortName(SelectedPort(window)));
}

void Tell(Window& window, const std::string& text) {
  window.SetText(ids::kStatusBox, text);
  window.ShowMessage({BoxOwner::MainWindow, text, std::string(kCaptionInfo), BoxKind::Ok});
}

// The window shows what is being written, so that a write that fails again can be retried with
// "EXIT and write to  Device"; the record keeps its backup from before either way.
void WriteOver(ProgramState& state, Window& window, const TransferImage& image) {
  state.database.SetImage(image);
  ShowWholeDatabase(state, window);
  WriteRecordedImage(state, window, image);
}

}  // namespace

void SettleUnfinishedWrite(ProgramState& state, Window& window, const TransferImage& device) {
  const std::optional<UnfinishedWrite> pending = RecordOfThisDevice(state, window);
  if (!pending) return;
  const DeviceHolds holds = WhatDeviceHolds(*pending, device, state.backups);
  if (holds != DeviceHolds::Neither) {
    state.journal->Clear();
    Tell(window, SettledText(*pending, holds));
    return;
  }
  const std::optional<TransferImage> before = BackupBefore(*pending, state.backups);
  std::vector<std::string> choices{unfinished::kWriteAgain};
  if (before) choices.emplace_back(unfinished::kRestoreBefore);
  choices.emplace_back(unfinished::kNotNow);
  const std::size_t chosen = window.Choose({UnsettledText(*pending, state.backups), unfinished::kCaption, choices});
  if (chosen >= choices.size() || choices[chosen] == unfinished::kNotNow) return;
  WriteOver(state, window, choices[chosen] == unfinished::kWriteAgain ? pending->image : *before);
}

void CheckUnfinishedWrite(ProgramState& state, Window& window) {
  if (!RecordOfThisDevice(state, window)) return;
  window.SetText(ids::kStatusBox, kCheckingStatus);
  WindowPresenter presenter(window);
  const DownloadResult result = Download(state.link, SelectedPort(window), presenter);
  if (result.outcome == DownloadOutcome::Incomplete) Tell(window, kCheckFailed);
  if (result.outcome != DownloadOutcome::Complete) return;
  state.deviceImage = result.image;
  KeepDeviceBackup(state, window, result.image);
  SettleUnfinishedWrite(state, window, result.image);
}

}  // namespace userdb
