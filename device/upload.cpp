#include "device/upload.h"

#include <algorithm>
#include <string>

#include "app/control_ids.h"
#include "device/command_frames.h"
#include "device/device_message_stream.h"
#include "device/line_texts.h"
#include "device/update_mode.h"
#include "device/user_messages.h"

namespace userdb {
namespace {

std::string ChunkStatus(std::size_t chunk) {
  if (chunk < 2) return std::string(message::kEraseFlash);
  return std::string(message::kUpdatePagePrefix) + std::to_string(chunk) + std::string(message::kUpdatePageSuffix);
}

bool SendImage(ProgramState& state, Window& window, const TransferImage& image) {
  if (!SendThroughTransferBuffer(state, WriteDatabaseFrame(kImageSize, ImageChecksum(image)))) return false;
  for (std::size_t chunk = 0; chunk < kUploadChunkCount; ++chunk) {
    const auto bytes = std::span(image).subspan(chunk * kUploadChunkSize, kUploadChunkSize);
    if (!SendThroughTransferBuffer(state, bytes)) return false;
    window.SetText(ids::kStatusBox, ChunkStatus(chunk));
    window.ShowProgress();
  }
  return true;
}

// Reads the device's messages until "KT Update Over"; a "Checksum Error" on the way
// decides the verdict however the device goes on.
UploadOutcome AwaitVerdict(ProgramState& state) {
  DeviceMessageStream messages;
  bool checksumError = false;
  const Instant deadline = state.channel.Now() + kUploadAnswerLimit;
  const auto buffer = std::span(state.transfer).first(line::kDeviceMessageSize);
  while (!state.channel.LineLost() && state.channel.Now() < deadline) {
    const std::size_t count = state.channel.ReadOnce(buffer);
    for (DeviceMessage message : messages.Feed(buffer.first(count))) {
      if (message == DeviceMessage::ChecksumError) checksumError = true;
      if (message == DeviceMessage::UpdateOver) {
        return checksumError ? UploadOutcome::ChecksumError : UploadOutcome::Succeeded;
      }
    }
  }
  return UploadOutcome::Failed;
}

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
    ReportNotResponding(window);
  }
}

}  // namespace

std::uint8_t ImageChecksum(std::span<const std::uint8_t> image) {
  std::uint8_t checksum = 0;
  for (std::uint8_t byte : image) checksum ^= byte;
  return checksum;
}

UploadOutcome UploadDatabase(ProgramState& state, Window& window) {
  if (!EnterUpdateMode(state, window)) return UploadOutcome::Failed;
  const TransferImage image = state.database.Image();
  const UploadOutcome outcome = SendImage(state, window, image) ? AwaitVerdict(state) : UploadOutcome::Failed;
  LeaveUpdateMode(state);
  ReportOutcome(outcome, window);
  return outcome;
}

void ExitAndWrite(ProgramState& state, Window& window) {
  const BoxAnswer answer = window.ShowMessage(
      {BoxOwner::MainWindow, std::string(message::kConfirmUpload), std::string(kCaptionInfo), BoxKind::YesNo});
  if (answer == BoxAnswer::Yes && UploadDatabase(state, window) != UploadOutcome::Succeeded) return;
  window.Close();
}

}  // namespace userdb
