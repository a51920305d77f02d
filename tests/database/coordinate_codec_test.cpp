#include "database/coordinate_codec.h"

#include <gtest/gtest.h>

namespace userdb {
namespace {

struct Worked {
  CoordinateParts typed;
  std::uint32_t stored;
  CoordinateParts shown;
};

TEST(CoordinateCodec, WorkedValuesEncodeAndShowAgain) {
  const Worked cases[] = {
      {{false, 121, 30, 30, 50}, 0x0458717B, {false, 121, 30, 30, 49}},
      {{true, 121, 30, 30, 50}, 0x8458717B, {true, 121, 30, 30, 49}},
      {{false, 25, 2, 15, 0}, 0x00E539A4, {false, 25, 2, 15, 0}},
      {{false, 179, 59, 59, 99}, 0x066FF2FE, {false, 179, 59, 59, 98}},
      {{false, 121, 30, 15, 50}, 72902583, {false, 121, 30, 15, 49}},
      {{false, 25, 2, 30, 0}, 15025000, {false, 25, 2, 30, 0}},
      {{true, 121, 30, 15, 50}, 0x845867B7, {true, 121, 30, 15, 49}},
      {{true, 25, 2, 30, 0}, 0x80E54368, {true, 25, 2, 30, 0}},
  };
  for (const Worked& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(EncodeCoordinate(c.typed), c.stored);
    EXPECT_EQ(DecodeCoordinate(c.stored), c.shown);
  }
}

TEST(CoordinateCodec, LargestAcceptedLatitudeStaysBelowTheHemisphereBit) {
  const std::uint32_t stored = EncodeCoordinate({false, 89, 59, 59, 99});
  EXPECT_EQ(stored, 53999998u);
  EXPECT_EQ(DecodeCoordinate(stored), (CoordinateParts{false, 89, 59, 59, 98}));
}

TEST(CoordinateCodec, DecodesExtremeMagnitudes) {
  EXPECT_EQ(DecodeCoordinate(0xFFFFFFFF), (CoordinateParts{true, 3579, 8, 21, 88}));
  EXPECT_EQ(DecodeCoordinate(1), (CoordinateParts{false, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace userdb
