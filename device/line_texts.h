#pragma once
// Every text that crosses the serial line: ASCII followed by one zero byte, which is sent,
// read and compared like the others.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace userdb::line {

// The text's bytes with its terminating zero.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> WithZero(const char (&text)[N]) {
  std::array<std::uint8_t, N> bytes{};
  for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<std::uint8_t>(text[i]);
  return bytes;
}

inline constexpr auto kDeviceBanner = WithZero("Quillborne Tech. Co.\r\n");  // 23 bytes
inline constexpr auto kUpdateRequest = WithZero("K'T Vardenholmics");        // 18 bytes
inline constexpr auto kUpdateAnswer = WithZero("KT GPS+BT");                 // 10 bytes
inline constexpr auto kExitMessage = WithZero("KT AP-Exit");                 // 11 bytes
inline constexpr auto kUpdateOverMessage = WithZero("KT Update Over");       // 15 bytes
inline constexpr auto kChecksumOkMessage = WithZero("Checksum    OK");       // 15 bytes
inline constexpr auto kChecksumErrorMessage = WithZero("Checksum Error");    // 15 bytes

inline constexpr std::size_t kDeviceMessageSize = 15;

// True when the bytes are one or more of the texts the device sends, each whole, back to back.
bool AreWholeDeviceTexts(std::span<const std::uint8_t> bytes);

}  // namespace userdb::line
