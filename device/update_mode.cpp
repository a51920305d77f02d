#include "device/update_mode.h"

#include <algorithm>

#include "device/device_message_stream.h"
#include "device/line_texts.h"

namespace userdb {
namespace {

// The banner, ignored; the request; the answer, whole and exact.
bool Handshake(DeviceLink& link) {
  const auto buffer = std::span(link.transfer);
  link.channel.ReadBlock(buffer.first(line::kDeviceBanner.size()), kPromptStart);
  SendThroughTransferBuffer(link, line::kUpdateRequest);
  const auto answer = buffer.first(line::kUpdateAnswer.size());
  const std::size_t received = link.channel.ReadBlock(answer, kThroughLulls);
  return received == answer.size() && std::equal(answer.begin(), answer.end(), line::kUpdateAnswer.begin());
}

}  // namespace

bool SendThroughTransferBuffer(DeviceLink& link, std::span<const std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), link.transfer.begin());
  return link.channel.WriteAll(std::span(link.transfer).first(bytes.size()));
}

bool EnterUpdateMode(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  for (int attempt = 1;; ++attempt) {
    if (!link.channel.OpenForConversation(portNumber, seat)) return false;
    if (Handshake(link)) {
      seat.HandshakeSucceeded();
      return true;
    }
    if (attempt >= link.handshakeTries) break;
    LeaveUpdateMode(link);
    seat.HandshakeRetry(attempt, link.handshakeTries);
    link.channel.Sleep(kHandshakeRetryPause);
  }
  seat.NoUpdateMode();
  LeaveUpdateMode(link);
  return false;
}

void LeaveUpdateMode(DeviceLink& link) {
  if (!link.channel.LineLost()) SendThroughTransferBuffer(link, line::kExitMessage);
  link.channel.ClosePort();
}

bool WaitForUpdateOver(DeviceLink& link) {
  DeviceMessageStream messages;
  const Instant deadline = link.channel.Now() + kUpdateOverLimit;
  const auto buffer = std::span(link.transfer).first(line::kDeviceMessageSize);
  while (!link.channel.LineLost() && link.channel.Now() < deadline) {
    const std::size_t count = link.channel.ReadOnce(buffer);
    for (DeviceMessage message : messages.Feed(buffer.first(count))) {
      if (message == DeviceMessage::UpdateOver) return true;
    }
  }
  return false;
}

}  // namespace userdb
