#pragma once
// The program's one copy of the device's user database, in the device's own byte layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/page_layout.h"

namespace userdb {

inline constexpr std::size_t kRecordCount = 256;
inline constexpr std::size_t kRecordSize = 16;
inline constexpr std::size_t kNoteSize = 128;
inline constexpr std::size_t kRecordsBytes = kRecordCount * kRecordSize;          // 4096
inline constexpr std::size_t kNotesBytes = kRecordCount * kNoteSize;              // 32768
inline constexpr std::size_t kImageSize = kRecordsBytes + kNotesBytes;            // 36864
inline constexpr int kPageCount = static_cast<int>(kRecordCount) / kRowsPerPage;  // 32

inline constexpr std::uint32_t kNoCoordinate = 0xFFFFFFFF;
inline constexpr std::uint16_t kNoSpeed = 0xFFFF;
inline constexpr std::uint16_t kNoDirection = 0xFFFF;
inline constexpr std::uint8_t kNoType = 0xFF;
inline constexpr std::uint8_t kSpeedUnitMile = 0;
inline constexpr std::uint8_t kSpeedUnitKilometer = 1;

// A record's interpreted fields; bytes 13 to 15 are the device's and are never written.
struct UserPoint {
  std::uint32_t longitude = kNoCoordinate;
  std::uint32_t latitude = kNoCoordinate;
  std::uint16_t speed = kNoSpeed;
  std::uint16_t direction = kNoDirection;
  std::uint8_t type = kNoType;

  bool IsEmpty() const { return longitude == kNoCoordinate && latitude == kNoCoordinate; }
  bool operator==(const UserPoint&) const = default;
};

using TransferImage = std::array<std::uint8_t, kImageSize>;

class UserDatabase {
 public:
  UserDatabase();

  std::span<std::uint8_t, kRecordSize> Record(std::size_t index);
  std::span<const std::uint8_t, kRecordSize> Record(std::size_t index) const;
  std::span<std::uint8_t, kNoteSize> Note(std::size_t index);
  std::span<const std::uint8_t, kNoteSize> Note(std::size_t index) const;

  UserPoint Point(std::size_t index) const;
  // Writes bytes 0 to 12 of the record; bytes 13 to 15 keep what they held.
  void SetPoint(std::size_t index, const UserPoint& point);

  void ClearRecords();
  void ClearNotes();
  // The record and its note as a device's erased flash holds them.
  void Erase(std::size_t index);

  // Records then notes, exactly as the device takes them.
  TransferImage Image() const;
  void SetImage(std::span<const std::uint8_t, kImageSize> image);

  std::uint8_t speedUnit = kSpeedUnitKilometer;

 private:
  std::array<std::uint8_t, kRecordsBytes> records_;
  std::array<std::uint8_t, kNotesBytes> notes_;
};

// The points an image holds: records that are not empty, wherever they stand.
std::size_t CountPoints(std::span<const std::uint8_t, kImageSize> image);

}  // namespace userdb
