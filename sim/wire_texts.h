#pragma once
// The device's side of the line: the texts it sends and recognises, and the command frames.
// Written out here on their own, apart from the program's copy, so that talking to the
// simulator checks the program's texts instead of echoing them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace userdb::sim {

// A line text: its characters followed by the zero byte that travels with it.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> LineText(const char (&text)[N]) {
  std::array<std::uint8_t, N> bytes{};
  for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<std::uint8_t>(text[i]);
  return bytes;
}

inline constexpr auto kBanner = LineText("Quillborne Tech. Co.\r\n");
inline constexpr auto kUpdateRequest = LineText("K'T Vardenholmics");
inline constexpr auto kUpdateAnswer = LineText("KT GPS+BT");
inline constexpr auto kExitMessage = LineText("KT AP-Exit");
inline constexpr auto kUpdateOver = LineText("KT Update Over");
inline constexpr auto kChecksumOk = LineText("Checksum    OK");
inline constexpr auto kChecksumError = LineText("Checksum Error");
// Same length as the real answer, one character off: what a wrong-answer fault sends.
inline constexpr auto kWrongUpdateAnswer = LineText("KT GPS-BT");

inline constexpr std::size_t kFrameSize = 7;
inline constexpr std::uint8_t kFrameCodeStep = 0x55;  // second code byte = first + 0x55
inline constexpr std::uint8_t kReadRecordsCode = 0x59;
inline constexpr std::uint8_t kReadNotesCode = 0x5A;
inline constexpr std::uint8_t kReadDeviceInfoCode = 0x5B;
inline constexpr std::uint8_t kWriteDatabaseCode = 0x56;

}  // namespace userdb::sim
