#include "formats/kml_format.h"

#include <gtest/gtest.h>

#include "format_fixtures.h"

namespace userdb::formats {
namespace {

TEST(KmlFormat, WritesTheGoldenFile) {
  EXPECT_EQ(WriteKml(test::DatabaseOf(test::GoldenFile("points.bin"))), test::GoldenFile("points.kml"));
}

TEST(KmlFormat, OnlyPointsAMapCanPlaceBecomePlacemarks) {
  UserDatabase database;
  database.SetPoint(0, UserPoint{.longitude = 0, .latitude = kNoCoordinate});
  database.SetPoint(1, UserPoint{.longitude = 108000000, .latitude = 0});
  database.SetPoint(2, UserPoint{.longitude = 0x80000000, .latitude = 0x80000000 | 54000000});
  const std::string kml = WriteKml(database);
  EXPECT_EQ(kml.find("<Placemark>"), kml.rfind("<Placemark>"));
  EXPECT_NE(kml.find("<name>Point 2</name>"), std::string::npos);
  EXPECT_NE(kml.find("<coordinates>-0.0000000,-90.0000000</coordinates>"), std::string::npos);
}

}  // namespace
}  // namespace userdb::formats
