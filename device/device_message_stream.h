#pragma once
// Finds the device's 15-byte messages in the bytes it sends, wherever they start and however
// the line splits them.

#include <cstdint>
#include <span>
#include <vector>

namespace userdb {

enum class DeviceMessage { ChecksumOk, ChecksumError, UpdateOver };

class DeviceMessageStream {
 public:
  // The messages that end within these bytes, in the order they end.
  std::vector<DeviceMessage> Feed(std::span<const std::uint8_t> bytes);

 private:
  std::vector<std::uint8_t> tail_;  // the last bytes seen, fewer than one message
};

}  // namespace userdb
