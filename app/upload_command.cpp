#include "app/upload_command.h"

#include <string>

#include "app/connect_command.h"
#include "app/user_messages.h"
#include "app/window_presenter.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

void ReportOutcome(UploadOutcome outcome, Window& window) {
  if (outcome == UploadOutcome::Succeeded) {
    window.SetText(ids::kStatusBox, message::kUploadSucceeded);
    window.ShowMessage(
        {BoxOwner::None, std::string(message::kUploadSucceeded), std::string(kCaptionInfo), BoxKind::Ok});
    return;
  }
  window.SetText(ids::kStatusBox, message::kUploadFailed);
  if (outcome == UploadOutcome::ChecksumError) {
    window.ShowMessage({BoxOwner::None, std::string(message::kChecksumError), std::nullopt, BoxKind::Ok});
  } else {
    ShowNotResponding(window);
  }
}

}  // namespace

UploadOutcome UploadDatabase(ProgramState& state, Window& window) {
  WindowPresenter presenter(window);
  const UploadOutcome outcome = Upload(state.link, SelectedPort(window), state.database.Image(), presenter);
  // A device that never came into update mode has said so already.
  if (outcome != UploadOutcome::NotConnected) ReportOutcome(outcome, window);
  return outcome;
}

void ExitAndWrite(ProgramState& state, Window& window) {
  const BoxAnswer answer = window.ShowMessage(
      {BoxOwner::MainWindow, std::string(message::kConfirmUpload), std::string(kCaptionInfo), BoxKind::YesNo});
  if (answer == BoxAnswer::Yes && UploadDatabase(state, window) != UploadOutcome::Succeeded) return;
  window.Close();
}

}  // namespace userdb
