#include "formats/decimal_degrees.h"

#include <gtest/gtest.h>

#include <random>

namespace userdb::formats {
namespace {

void ExpectRoundTrip(std::uint32_t value) {
  const std::string text = DegreesText(value);
  const std::optional<std::uint32_t> back = CoordinateOfDegrees(text);
  ASSERT_TRUE(back.has_value()) << text;
  ASSERT_EQ(*back, value) << text;
}

TEST(DecimalDegrees, SevenDecimalsRestoreEveryValueOfAWideSample) {
  // Every unit of the first two degrees, both hemispheres: all residues of the 50/3 step.
  for (std::uint32_t magnitude = 0; magnitude < 2 * kCoordinateUnitsPerDegree; ++magnitude) {
    ExpectRoundTrip(magnitude);
    ExpectRoundTrip(magnitude | kHemisphereBit);
  }
  // Around every whole degree a longitude can hold, where carries into the degrees happen.
  for (std::uint32_t degree = 1; degree <= 180; ++degree) {
    const std::uint32_t centre = degree * kCoordinateUnitsPerDegree;
    for (std::uint32_t magnitude = centre - 1000; magnitude <= centre + 1000; ++magnitude) ExpectRoundTrip(magnitude);
  }
  // The rest of the 31 bits at random, up to the largest magnitude.
  std::mt19937 random(20240611);
  for (int i = 0; i < 1000000; ++i) ExpectRoundTrip(static_cast<std::uint32_t>(random()));
  ExpectRoundTrip(0x7FFFFFFF);
  ExpectRoundTrip(0xFFFFFFFF);
}

TEST(DecimalDegrees, TextsHaveSevenDecimalsAndASignForWestAndSouth) {
  EXPECT_EQ(DegreesText(72902583), "121.5043050");  // E 121 30 15.50, the window's worked row
  EXPECT_EQ(DegreesText(0x845867B7), "-121.5043050");
  EXPECT_EQ(DegreesText(1), "0.0000017");
  EXPECT_EQ(DegreesText(107999998), "179.9999967");
  EXPECT_EQ(DegreesText(0x80000000), "-0.0000000");  // the hemisphere bit survives a zero
  EXPECT_EQ(CoordinateOfDegrees("-0.0000000"), 0x80000000u);
  EXPECT_EQ(CoordinateOfDegrees("0"), 0u);
}

TEST(DecimalDegrees, OtherProgramsTextsRoundToTheNearestUnit) {
  EXPECT_EQ(CoordinateOfDegrees("48.7758"), 29265480u);
  EXPECT_EQ(CoordinateOfDegrees("+9.1829"), 5509740u);
  EXPECT_EQ(CoordinateOfDegrees("-0.1278"), 76680u | kHemisphereBit);
  EXPECT_EQ(CoordinateOfDegrees("1.0000008"), 600000u);               // 0.48 of a unit
  EXPECT_EQ(CoordinateOfDegrees("1.0000009"), 600001u);               // 0.54 of a unit
  EXPECT_EQ(CoordinateOfDegrees("1.00000083333333333333"), 600000u);  // decimals past the twelfth
}

TEST(DecimalDegrees, AnythingButASignedDecimalNumberIsRefused) {
  for (const char* text :
       {"", "-", "+", "1.", ".5", "1e5", "12a", " 1", "1 ", "1,5", "--1", "0x10", "3580", "3579.1395"}) {
    EXPECT_FALSE(CoordinateOfDegrees(text).has_value()) << text;
  }
  EXPECT_EQ(CoordinateOfDegrees("3579.1394"), 2147483640u);  // the largest degrees that fit 31 bits
}

TEST(DecimalDegrees, AMapPlacesLongitudesBelow180AndLatitudesUpTo90) {
  EXPECT_TRUE(LongitudeOnTheGlobe(179 * kCoordinateUnitsPerDegree + 599999));
  EXPECT_FALSE(LongitudeOnTheGlobe(180 * kCoordinateUnitsPerDegree));
  EXPECT_FALSE(LongitudeOnTheGlobe(180 * kCoordinateUnitsPerDegree | kHemisphereBit));
  EXPECT_TRUE(LatitudeOnTheGlobe(90 * kCoordinateUnitsPerDegree | kHemisphereBit));
  EXPECT_FALSE(LatitudeOnTheGlobe(90 * kCoordinateUnitsPerDegree + 1));
  EXPECT_FALSE(OnAMap(UserPoint{}));
  EXPECT_FALSE(OnAMap(UserPoint{.longitude = 0, .latitude = kNoCoordinate}));
  EXPECT_TRUE(OnAMap(UserPoint{.longitude = 0, .latitude = 0}));
}

}  // namespace
}  // namespace userdb::formats
