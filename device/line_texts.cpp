#include "device/line_texts.h"

#include <algorithm>

namespace userdb::line {
namespace {

constexpr std::array<std::span<const std::uint8_t>, 5> kDeviceTexts{
    kDeviceBanner, kUpdateAnswer, kUpdateOverMessage, kChecksumOkMessage, kChecksumErrorMessage,
};

std::size_t WholeTextAtStart(std::span<const std::uint8_t> bytes) {
  for (std::span<const std::uint8_t> text : kDeviceTexts) {
    if (bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin())) return text.size();
  }
  return 0;
}

}  // namespace

bool AreWholeDeviceTexts(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return false;
  while (!bytes.empty()) {
    const std::size_t length = WholeTextAtStart(bytes);
    if (length == 0) return false;
    bytes = bytes.subspan(length);
  }
  return true;
}

}  // namespace userdb::line
