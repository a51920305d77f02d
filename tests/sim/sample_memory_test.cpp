#include "sim/sample_memory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/little_endian.h"

namespace userdb::sim {
namespace {

constexpr std::uint32_t kHemisphereBit = 0x80000000;
constexpr std::uint32_t kUnitsPerDegree = 600000;

class SampleMemoryTest : public ::testing::Test {
 protected:
  DeviceMemory memory = SampleMemory();
  std::size_t count = SamplePointCount();
};

TEST_F(SampleMemoryTest, FewDozenPointsFirstThenEmptyRecordsAndNotes) {
  EXPECT_GE(count, 24u);
  EXPECT_LT(count, kPointCount);
  for (std::size_t k = count; k < kPointCount; ++k) {
    const auto record = memory.Point(k);
    EXPECT_TRUE(std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0xFF; })) << k;
    const auto note = memory.Note(k);
    EXPECT_TRUE(std::all_of(note.begin(), note.end(), [](std::uint8_t b) { return b == 0xFF; })) << k;
  }
}

TEST_F(SampleMemoryTest, PointsHoldValuesThatThePageCheckWouldAccept) {
  bool west = false;
  bool south = false;
  for (std::size_t k = 0; k < count; ++k) {
    const auto record = memory.Point(k);
    const std::uint32_t longitude = ReadLe32(record, 0);
    const std::uint32_t latitude = ReadLe32(record, 4);
    west = west || (longitude & kHemisphereBit) != 0;
    south = south || (latitude & kHemisphereBit) != 0;
    EXPECT_LT(longitude & ~kHemisphereBit, 180 * kUnitsPerDegree) << k;
    EXPECT_LT(latitude & ~kHemisphereBit, 90 * kUnitsPerDegree) << k;
    const std::uint16_t speed = ReadLe16(record, 8);
    EXPECT_TRUE(speed == 0xFFFF || speed * 1853 / 1000 < 1000) << k;
    const std::uint16_t direction = ReadLe16(record, 10);
    EXPECT_TRUE(direction == 0xFFFF || direction < 360) << k;
    EXPECT_LE(record[12], 1) << k;
  }
  EXPECT_TRUE(west);
  EXPECT_TRUE(south);
}

TEST_F(SampleMemoryTest, NotesAreShortPrintableTextsPaddedWithFF) {
  for (std::size_t k = 0; k < count; ++k) {
    const auto note = memory.Note(k);
    const auto end = std::find(note.begin(), note.end(), 0xFF);
    const auto length = end - note.begin();
    EXPECT_GT(length, 0) << k;
    EXPECT_LE(length, 127) << k;
    EXPECT_TRUE(std::all_of(note.begin(), end, [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; })) << k;
    EXPECT_TRUE(std::all_of(end, note.end(), [](std::uint8_t b) { return b == 0xFF; })) << k;
  }
}

TEST_F(SampleMemoryTest, IdentityIsOneTheProgramShows) {
  EXPECT_EQ(memory.unit, kUnitKilometer);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NE(memory.info[i], 0xFF) << i;
  EXPECT_NE(ReadLe32(memory.info, 4), 0u);
  const auto zero = std::find(memory.version.begin(), memory.version.end(), 0);
  EXPECT_NE(zero, memory.version.begin());
  EXPECT_NE(zero, memory.version.end());
}

}  // namespace
}  // namespace userdb::sim
