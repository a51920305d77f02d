#pragma once
// What the device keeps in its flash: the user database image, the speed unit and its identity.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace userdb::sim {

// The device's own layout, kept apart from the program's constants for the same reason as
// the line texts.
inline constexpr std::size_t kPointCount = 256;
inline constexpr std::size_t kPointSize = 16;
inline constexpr std::size_t kNoteBlockSize = 128;
inline constexpr std::size_t kPointsBytes = kPointCount * kPointSize;
inline constexpr std::size_t kFlashImageSize = kPointsBytes + kPointCount * kNoteBlockSize;  // 36864
inline constexpr std::size_t kDownloadHeaderSize = 16;
inline constexpr std::size_t kInfoBlockSize = 72;
inline constexpr std::size_t kVersionBlockSize = 16;

inline constexpr std::uint8_t kUnitMile = 0x00;
inline constexpr std::uint8_t kUnitKilometer = 0x01;

using FlashImage = std::array<std::uint8_t, kFlashImageSize>;

struct DeviceMemory {
  FlashImage image{};  // records, then notes
  std::uint8_t unit = kUnitKilometer;
  std::array<std::uint8_t, kInfoBlockSize> info{};
  std::array<std::uint8_t, kVersionBlockSize> version{};

  std::span<std::uint8_t, kPointSize> Point(std::size_t index) {
    return std::span(image).subspan(index * kPointSize).first<kPointSize>();
  }
  std::span<const std::uint8_t, kPointSize> Point(std::size_t index) const {
    return std::span(image).subspan(index * kPointSize).first<kPointSize>();
  }
  std::span<std::uint8_t, kNoteBlockSize> Note(std::size_t index) {
    return std::span(image).subspan(kPointsBytes + index * kNoteBlockSize).first<kNoteBlockSize>();
  }
};

// A point slot without a point: longitude and latitude both all ones.
inline bool IsEmptyPoint(std::span<const std::uint8_t, kPointSize> point) {
  constexpr std::size_t kCoordinateBytes = 8;
  for (std::size_t i = 0; i < kCoordinateBytes; ++i) {
    if (point[i] != 0xFF) return false;
  }
  return true;
}

// The exclusive-or of all bytes, as the WriteDatabase frame carries it.
inline std::uint8_t XorChecksum(std::span<const std::uint8_t> bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t byte : bytes) sum ^= byte;
  return sum;
}

}  // namespace userdb::sim
