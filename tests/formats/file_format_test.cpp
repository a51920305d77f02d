#include "formats/file_format.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "format_fixtures.h"
#include "formats/file_contents.h"

namespace userdb::formats {
namespace {

TEST(FileFormat, ExtensionsAndNamesChooseTheFormat) {
  EXPECT_EQ(FormatOfFileName(".BIN"), FileFormat::Image);
  EXPECT_EQ(FormatOfFileName(".Csv"), FileFormat::Csv);
  EXPECT_EQ(FormatOfFileName(".gpx"), FileFormat::Gpx);
  EXPECT_EQ(FormatOfFileName(".kml"), FileFormat::Kml);
  EXPECT_EQ(FormatOfFileName(".TXT"), FileFormat::SpeedCameraCsv);  // iGO's speedcam.txt
  EXPECT_EQ(FormatOfFileName(".ov2"), FileFormat::Ov2);
  EXPECT_EQ(FormatOfFileName("Germany-latest.OSM.PBF"), FileFormat::OsmPbf);
  EXPECT_EQ(FormatOfFileName("berlin.osm"), FileFormat::Osm);
  EXPECT_FALSE(FormatOfFileName("osm"));
  EXPECT_FALSE(FormatOfFileName(".speedcam"));
  EXPECT_FALSE(FormatOfFileName(""));
  EXPECT_EQ(FormatNamed("speedcam"), FileFormat::SpeedCameraCsv);
  EXPECT_EQ(FormatNamed("garmin"), FileFormat::GarminCsv);  // .csv stays our own unless named
  EXPECT_EQ(FormatName(FileFormat::Gpx), "gpx");
  EXPECT_FALSE(CanRead(FileFormat::Kml));
  EXPECT_FALSE(CanWrite(FileFormat::OsmPbf));
  EXPECT_TRUE(CanWrite(FileFormat::SpeedCameraCsv));
}

// The documentation's table is the table the program uses.
TEST(FileFormat, TheDocumentationListsTheFormatsAsTheTableHasThem) {
  std::ifstream file(std::string(USERDB_SOURCE_DIR) + "/docs/cli.md", std::ios::binary);
  const std::string doc{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_NE(doc.find(FormatsMarkdown()), std::string::npos) << FormatsMarkdown();
  EXPECT_EQ(FormatNames(false),
            (std::vector<std::string>{"bin", "csv", "gpx", "speedcam", "ov2", "garmin", "osm", "osm.pbf"}));
  EXPECT_EQ(FormatNames(true), (std::vector<std::string>{"bin", "csv", "gpx", "kml", "speedcam", "ov2", "garmin"}));
}

TEST(FileFormat, ACsvFileIsReadInTheDialectItsHeaderShows) {
  const ReadResult ours = ReadContents(FileFormat::Csv, test::GoldenFile("points.csv"));
  const ReadResult list = ReadContents(FileFormat::Csv, test::GoldenFile("speedcams.csv"));
  ASSERT_TRUE(ours.Ok() && list.Ok());
  EXPECT_EQ(ours.points.fieldNames[0], "longitude");
  EXPECT_EQ(list.points.fieldNames[0], "X");
  EXPECT_EQ(PointCount(list.points.database), 5u);
  EXPECT_FALSE(ReadContents(FileFormat::Kml, "<kml/>").Ok());
  EXPECT_FALSE(ReadContents(FileFormat::Image, "short").Ok());
}

}  // namespace
}  // namespace userdb::formats
