#pragma once
// What the format tests share: the golden files and images that hold every kind of byte.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "database/user_database.h"

namespace userdb::formats::test {

inline std::string GoldenFile(const std::string& name) {
  std::ifstream file(std::string(USERDB_TEST_DATA) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline UserDatabase DatabaseOf(const std::string& bytes) {
  TransferImage image{};
  for (std::size_t i = 0; i < image.size() && i < bytes.size(); ++i) image[i] = static_cast<std::uint8_t>(bytes[i]);
  UserDatabase database;
  database.SetImage(image);
  return database;
}

// Every byte of every record and note drawn at random: coordinates far off the globe, notes
// without an end, the device's own bytes, all of it.
inline UserDatabase RandomDatabase(unsigned seed) {
  std::mt19937 random(seed);
  TransferImage image{};
  for (std::uint8_t& byte : image) byte = static_cast<std::uint8_t>(random());
  UserDatabase database;
  database.SetImage(image);
  return database;
}

// Random points a map can place, with plain Latin-1 notes of every length, some records left
// erased: the shapes a real device holds, with every byte value in the notes.
inline UserDatabase RandomPlainDatabase(unsigned seed) {
  std::mt19937 random(seed);
  UserDatabase database;
  for (std::size_t record = 0; record < kRecordCount; ++record) {
    if (random() % 5 == 0) continue;
    const std::uint32_t west = random() % 2 != 0 ? 0x80000000u : 0;
    const std::uint32_t south = random() % 2 != 0 ? 0x80000000u : 0;
    database.SetPoint(
        record,
        UserPoint{.longitude = static_cast<std::uint32_t>(random() % 108000000) | west,
                  .latitude = static_cast<std::uint32_t>(random() % 54000001) | south,
                  .speed = static_cast<std::uint16_t>(random() % 3 == 0 ? kNoSpeed : random() % 540),
                  .direction = static_cast<std::uint16_t>(random() % 361 == 360 ? kNoDirection : random() % 360),
                  .type = static_cast<std::uint8_t>(random() % 3 == 2 ? kNoType : random() % 2)});
    const auto note = database.Note(record);
    const std::size_t length = random() % 128;
    for (std::size_t i = 0; i < length; ++i) note[i] = static_cast<std::uint8_t>(0x20 + random() % (0xFF - 0x20));
  }
  return database;
}

inline std::string ImageText(const UserDatabase& database) {
  const TransferImage image = database.Image();
  return std::string(image.begin(), image.end());
}

}  // namespace userdb::formats::test
