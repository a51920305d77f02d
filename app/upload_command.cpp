#include "app/upload_command.h"

#include <string>

#include "app/connect_command.h"
#include "app/read_back.h"
#include "app/unfinished_write.h"
#include "app/user_messages.h"
#include "app/window_presenter.h"
#include "device/download.h"
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

UploadOutcome Send(ProgramState& state, Window& window, const TransferImage& image) {
  WindowPresenter presenter(window);
  return Upload(state.link, SelectedPort(window), image, presenter);
}

// The read-back shows as a check of the write, not as a new download; what goes wrong on the
// way is told as in any conversation.
class ReadBackPresenter final : public DeviceSeat {
 public:
  explicit ReadBackPresenter(Window& window) : window_(window), presenter_(window) {}

  void PortNotOpened(const PortFailure& failure) override { presenter_.PortNotOpened(failure); }
  void WaitingForLink(int portNumber) override { presenter_.WaitingForLink(portNumber); }
  void HandshakeRetry(int attempt, int tries) override { presenter_.HandshakeRetry(attempt, tries); }
  void NoUpdateMode() override { presenter_.NoUpdateMode(); }
  void HandshakeSucceeded() override { window_.SetText(ids::kStatusBox, message::kReadingBack); }
  void Receiving() override { presenter_.Receiving(); }
  void ChunkSent(std::size_t /*chunk*/) override {}

 private:
  Window& window_;
  WindowPresenter presenter_;
};

void TellUnverified(Window& window, const std::string& text) {
  window.SetText(ids::kStatusBox, text);
  window.ShowMessage({BoxOwner::None, text, std::string(kCaptionInfo), BoxKind::Ok});
}

// A device may confirm a write and store something else; only what it gives back tells. The
// database in memory stays as it is either way, so the write can be tried again.
bool WriteReadsBack(ProgramState& state, Window& window, const TransferImage& sent) {
  ReadBackPresenter presenter(window);
  const DownloadResult back = Download(state.link, SelectedPort(window), presenter);
  if (back.outcome != DownloadOutcome::Complete) {
    TellUnverified(window, std::string(message::kReadBackFailed));
    return false;
  }
  if (const std::optional<std::string> difference = FirstDifference(sent, back.image)) {
    TellUnverified(window, std::string(message::kReadBackDiffersPrefix) + *difference +
                               std::string(message::kReadBackDiffersSuffix));
    return false;
  }
  return true;
}

// Before the first byte goes out. One that cannot be recorded is told, and the write goes on as
// it would without.
void RecordWrite(ProgramState& state, Window& window, const TransferImage& image) {
  if (state.journal == nullptr) return;
  const JournalResult recorded = state.journal->Record(WriteToRecord(state, ComPortName(SelectedPort(window)), image));
  if (!recorded) window.ShowMessage({BoxOwner::None, recorded.message, std::string(kCaptionInfo), BoxKind::Ok});
}

enum class Written { NothingSent, NotVerified, Verified };

Written WriteAndReadBack(ProgramState& state, Window& window, const TransferImage& image) {
  const UploadOutcome outcome = Send(state, window, image);
  if (outcome == UploadOutcome::NotConnected) return Written::NothingSent;
  if (outcome != UploadOutcome::Succeeded) {
    ReportOutcome(outcome, window);
    return Written::NotVerified;
  }
  if (!WriteReadsBack(state, window, image)) return Written::NotVerified;
  state.deviceImage = image;
  if (state.journal != nullptr) state.journal->Clear();
  ReportOutcome(outcome, window);
  return Written::Verified;
}

}  // namespace

UploadOutcome UploadDatabase(ProgramState& state, Window& window) {
  const UploadOutcome outcome = Send(state, window, state.database.Image());
  // A device that never came into update mode has said so already.
  if (outcome != UploadOutcome::NotConnected) ReportOutcome(outcome, window);
  return outcome;
}

void ExitAndWrite(ProgramState& state, Window& window) {
  const BoxAnswer answer = window.ShowMessage(
      {BoxOwner::MainWindow, std::string(message::kConfirmUpload), std::string(kCaptionInfo), BoxKind::YesNo});
  if (answer == BoxAnswer::Yes && !WriteVerified(state, window)) return;
  window.Close();
}

bool WriteVerified(ProgramState& state, Window& window) {
  const TransferImage sent = state.database.Image();
  const std::optional<UnfinishedWrite> earlier = state.journal != nullptr ? state.journal->Pending() : std::nullopt;
  RecordWrite(state, window, sent);
  const Written written = WriteAndReadBack(state, window, sent);
  // A device that never came into update mode took nothing: the write needs no putting right.
  if (written == Written::NothingSent && state.journal != nullptr) PutBackRecord(*state.journal, earlier);
  return written == Written::Verified;
}

bool WriteRecordedImage(ProgramState& state, Window& window, const TransferImage& image) {
  return WriteAndReadBack(state, window, image) == Written::Verified;
}

}  // namespace userdb
