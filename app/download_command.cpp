#include "app/download_command.h"

#include <string>

#include "app/connect_command.h"
#include "app/unfinished_write_command.h"
#include "app/user_messages.h"
#include "app/whole_database.h"
#include "app/window_presenter.h"
#include "device/download.h"

namespace userdb {
// A copy that cannot be kept is told, but the download still counts.
void KeepDeviceBackup(ProgramState& state, Window& window, const TransferImage& image) {
  if (state.backups == nullptr) return;
  const KeepResult kept = state.backups->Keep(image, state.serialNumber, BackupReason::Download);
  if (!kept) window.ShowMessage({BoxOwner::None, kept.message, std::string(kCaptionInfo), BoxKind::Ok});
}

bool DownloadDatabase(ProgramState& state, Window& window) {
  WindowPresenter presenter(window);
  const DownloadResult result = Download(state.link, SelectedPort(window), presenter);
  if (result.outcome == DownloadOutcome::NotConnected) return false;
  if (result.outcome == DownloadOutcome::Incomplete) {
    window.ShowMessage({BoxOwner::None, std::string(message::kDownloadFailed), std::string(kCaptionInfo), BoxKind::Ok});
    return false;
  }
  state.database.SetImage(result.image);
  state.database.speedUnit = result.unit;
  ShowWholeDatabase(state, window);
  state.deviceImage = result.image;
  KeepDeviceBackup(state, window, result.image);
  SettleUnfinishedWrite(state, window, result.image);
  return true;
}

}  // namespace userdb
