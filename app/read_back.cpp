#include "app/read_back.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace userdb {
namespace {

// What each byte of a record holds, by its offset in the record.
constexpr std::array<std::string_view, kRecordSize> kRecordByteMeaning = {"longitude",
                                                                          "longitude",
                                                                          "longitude",
                                                                          "longitude",
                                                                          "latitude",
                                                                          "latitude",
                                                                          "latitude",
                                                                          "latitude",
                                                                          "speed",
                                                                          "speed",
                                                                          "direction",
                                                                          "direction",
                                                                          "type",
                                                                          "device's own byte",
                                                                          "device's own byte",
                                                                          "device's own byte"};

std::string Hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

std::string WhereInImage(std::size_t offset) {
  if (offset < kRecordsBytes) {
    const std::size_t byte = offset % kRecordSize;
    return "record " + std::to_string(offset / kRecordSize) + ", byte " + std::to_string(byte) + " (" +
           std::string(kRecordByteMeaning[byte]) + ")";
  }
  const std::size_t noteOffset = offset - kRecordsBytes;
  return "note " + std::to_string(noteOffset / kNoteSize) + ", byte " + std::to_string(noteOffset % kNoteSize);
}

}  // namespace

std::optional<std::string> FirstDifference(const TransferImage& sent, const TransferImage& readBack) {
  const auto [sentByte, readByte] = std::mismatch(sent.begin(), sent.end(), readBack.begin());
  if (sentByte == sent.end()) return std::nullopt;
  const auto offset = static_cast<std::size_t>(sentByte - sent.begin());
  return "offset " + std::to_string(offset) + " (" + WhereInImage(offset) + "): sent " + Hex(*sentByte) +
         ", read back " + Hex(*readByte);
}

}  // namespace userdb
