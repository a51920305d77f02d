#include "device/upload.h"

#include <algorithm>

#include "device/command_frames.h"
#include "device/device_message_stream.h"
#include "device/line_texts.h"
#include "device/update_mode.h"

namespace userdb {
namespace {

bool SendImage(DeviceLink& link, const TransferImage& image, DeviceSeat& seat) {
  if (!SendThroughTransferBuffer(link, WriteDatabaseFrame(kImageSize, ImageChecksum(image)))) return false;
  for (std::size_t chunk = 0; chunk < kUploadChunkCount; ++chunk) {
    const auto bytes = std::span(image).subspan(chunk * kUploadChunkSize, kUploadChunkSize);
    if (!SendThroughTransferBuffer(link, bytes)) return false;
    seat.ChunkSent(chunk);
  }
  return true;
}

// Reads the device's messages until "KT Update Over"; a "Checksum Error" on the way
// decides the verdict however the device goes on.
UploadOutcome AwaitVerdict(DeviceLink& link) {
  DeviceMessageStream messages;
  bool checksumError = false;
  const Instant deadline = link.channel.Now() + kUploadAnswerLimit;
  const auto buffer = std::span(link.transfer).first(line::kDeviceMessageSize);
  while (!link.channel.LineLost() && link.channel.Now() < deadline) {
    const std::size_t count = link.channel.ReadOnce(buffer);
    for (DeviceMessage message : messages.Feed(buffer.first(count))) {
      if (message == DeviceMessage::ChecksumError) checksumError = true;
      if (message == DeviceMessage::UpdateOver) {
        return checksumError ? UploadOutcome::ChecksumError : UploadOutcome::Succeeded;
      }
    }
  }
  return UploadOutcome::Failed;
}

}  // namespace

std::uint8_t ImageChecksum(std::span<const std::uint8_t> image) {
  std::uint8_t checksum = 0;
  for (std::uint8_t byte : image) checksum ^= byte;
  return checksum;
}

UploadOutcome Upload(DeviceLink& link, int portNumber, const TransferImage& image, DeviceSeat& seat) {
  if (!EnterUpdateMode(link, portNumber, seat)) return UploadOutcome::NotConnected;
  const UploadOutcome outcome = SendImage(link, image, seat) ? AwaitVerdict(link) : UploadOutcome::Failed;
  LeaveUpdateMode(link);
  return outcome;
}

}  // namespace userdb
