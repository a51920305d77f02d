#include "database/user_database.h"

#include <algorithm>

#include "base/little_endian.h"

namespace userdb {

namespace {
constexpr std::size_t kLongitudeOffset = 0;
constexpr std::size_t kLatitudeOffset = 4;
constexpr std::size_t kSpeedOffset = 8;
constexpr std::size_t kDirectionOffset = 10;
constexpr std::size_t kTypeOffset = 12;
constexpr std::uint8_t kErased = 0xFF;
}  // namespace

UserDatabase::UserDatabase() {
  ClearRecords();
  ClearNotes();
}

std::span<std::uint8_t, kRecordSize> UserDatabase::Record(std::size_t index) {
  return std::span<std::uint8_t, kRecordSize>(records_.data() + index * kRecordSize, kRecordSize);
}

std::span<const std::uint8_t, kRecordSize> UserDatabase::Record(std::size_t index) const {
  return std::span<const std::uint8_t, kRecordSize>(records_.data() + index * kRecordSize, kRecordSize);
}

std::span<std::uint8_t, kNoteSize> UserDatabase::Note(std::size_t index) {
  return std::span<std::uint8_t, kNoteSize>(notes_.data() + index * kNoteSize, kNoteSize);
}

std::span<const std::uint8_t, kNoteSize> UserDatabase::Note(std::size_t index) const {
  return std::span<const std::uint8_t, kNoteSize>(notes_.data() + index * kNoteSize, kNoteSize);
}

UserPoint UserDatabase::Point(std::size_t index) const {
  const auto record = Record(index);
  return UserPoint{
      .longitude = ReadLe32(record, kLongitudeOffset),
      .latitude = ReadLe32(record, kLatitudeOffset),
      .speed = ReadLe16(record, kSpeedOffset),
      .direction = ReadLe16(record, kDirectionOffset),
      .type = record[kTypeOffset],
  };
}

void UserDatabase::SetPoint(std::size_t index, const UserPoint& point) {
  const auto record = Record(index);
  WriteLe32(record, kLongitudeOffset, point.longitude);
  WriteLe32(record, kLatitudeOffset, point.latitude);
  WriteLe16(record, kSpeedOffset, point.speed);
  WriteLe16(record, kDirectionOffset, point.direction);
  record[kTypeOffset] = point.type;
}

void UserDatabase::ClearRecords() { records_.fill(kErased); }

void UserDatabase::ClearNotes() { notes_.fill(kErased); }

void UserDatabase::Erase(std::size_t index) {
  std::ranges::fill(Record(index), kErased);
  std::ranges::fill(Note(index), kErased);
}

TransferImage UserDatabase::Image() const {
  TransferImage image;
  const auto notesStart = std::copy(records_.begin(), records_.end(), image.begin());
  std::copy(notes_.begin(), notes_.end(), notesStart);
  return image;
}

void UserDatabase::SetImage(std::span<const std::uint8_t, kImageSize> image) {
  const auto notesStart = image.begin() + kRecordsBytes;
  std::copy(image.begin(), notesStart, records_.begin());
  std::copy(notesStart, image.end(), notes_.begin());
}

std::size_t CountPoints(std::span<const std::uint8_t, kImageSize> image) {
  UserDatabase database;
  database.SetImage(image);
  std::size_t points = 0;
  for (std::size_t index = 0; index < kRecordCount; ++index) points += database.Point(index).IsEmpty() ? 0 : 1;
  return points;
}

}  // namespace userdb
