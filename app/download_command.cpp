#include "app/download_command.h"

#include <string>

#include "app/connect_command.h"
#include "app/page_view.h"
#include "app/user_messages.h"
#include "app/window_presenter.h"
#include "device/download.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

void EnableLoadedCommands(Window& window) {
  for (int id : {ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kExitAndWrite}) {
    window.Enable(id, true);
  }
}

// What the device held, before anything can be written over it. A copy that cannot be kept is
// told, but the download still counts.
void KeepBackup(ProgramState& state, Window& window) {
  if (state.backups == nullptr) return;
  if (const std::optional<std::string> problem = state.backups->Keep(state.database.Image(), state.serialNumber)) {
    window.ShowMessage({BoxOwner::None, *problem, std::string(kCaptionInfo), BoxKind::Ok});
  }
}

}  // namespace

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
  state.database.page.current = 0;
  ShowPage(state.database, state.shown, window);
  EnableLoadedCommands(window);
  KeepBackup(state, window);
  return true;
}

}  // namespace userdb
