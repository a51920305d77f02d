#include "device/device_message_stream.h"

#include <algorithm>
#include <array>
#include <utility>

#include "device/line_texts.h"

namespace userdb {
namespace {

using MessageBytes = std::array<std::uint8_t, line::kDeviceMessageSize>;

constexpr std::array<std::pair<DeviceMessage, MessageBytes>, 3> kMessages{{
    {DeviceMessage::ChecksumOk, line::kChecksumOkMessage},
    {DeviceMessage::ChecksumError, line::kChecksumErrorMessage},
    {DeviceMessage::UpdateOver, line::kUpdateOverMessage},
}};

}  // namespace

std::vector<DeviceMessage> DeviceMessageStream::Feed(std::span<const std::uint8_t> bytes) {
  std::vector<DeviceMessage> found;
  for (std::uint8_t byte : bytes) {
    tail_.push_back(byte);
    if (tail_.size() > line::kDeviceMessageSize) tail_.erase(tail_.begin());
    if (tail_.size() < line::kDeviceMessageSize) continue;
    for (const auto& [message, text] : kMessages) {
      if (std::equal(tail_.begin(), tail_.end(), text.begin())) {
        found.push_back(message);
        tail_.clear();  // a message's bytes never count towards the next one
        break;
      }
    }
  }
  return found;
}

}  // namespace userdb
