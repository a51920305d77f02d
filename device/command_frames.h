#pragma once
// The 7-byte command frames: two code bytes (the second is the first plus 0x55), five arguments.

#include <array>
#include <cstdint>

namespace userdb {

inline constexpr std::size_t kCommandFrameSize = 7;
using CommandFrame = std::array<std::uint8_t, kCommandFrameSize>;

inline constexpr CommandFrame kReadRecordsFrame{0x59, 0xAE, 0, 0, 0, 0, 0};
inline constexpr CommandFrame kReadNotesFrame{0x5A, 0xAF, 0, 0, 0, 0, 0};
inline constexpr CommandFrame kReadDeviceInfoFrame{0x5B, 0xB0, 0, 0, 0, 0, 0};

// 56 AB, the image length least significant byte first, then the image's checksum.
CommandFrame WriteDatabaseFrame(std::uint32_t length, std::uint8_t checksum);

}  // namespace userdb
