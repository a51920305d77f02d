#include "formats/gpx_format.h"

#include <gtest/gtest.h>

#include "database/note_codec.h"
#include "database/speed_codec.h"
#include "format_fixtures.h"

namespace userdb::formats {
namespace {

using test::DatabaseOf;
using test::GoldenFile;
using test::ImageText;

std::vector<std::string> Described(const ReadResult& result) {
  std::vector<std::string> lines;
  for (const FileProblem& problem : result.problems) lines.push_back(DescribeProblem("f.gpx", problem));
  return lines;
}

std::string Gpx(const std::string& waypoints) {
  return "<?xml version=\"1.0\"?>\n<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n" + waypoints +
         "</gpx>\n";
}

TEST(GpxFormat, WritesTheGoldenFileAndReadsItBackByteForByte) {
  const std::string image = GoldenFile("points.bin");
  EXPECT_EQ(WriteGpx(DatabaseOf(image)), GoldenFile("points.gpx"));
  const ReadResult read = ReadGpx(GoldenFile("points.gpx"));
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  EXPECT_EQ(ImageText(read.points.database), image);
  EXPECT_EQ(read.points.lines[1], 16);
}

TEST(GpxFormat, AnyImageSurvivesTheRoundTrip) {
  for (unsigned seed : {4u, 5u, 6u}) {
    for (const UserDatabase& database : {test::RandomDatabase(seed), test::RandomPlainDatabase(seed)}) {
      const ReadResult read = ReadGpx(WriteGpx(database));
      ASSERT_TRUE(read.Ok()) << Described(read).front();
      EXPECT_EQ(ImageText(read.points.database), ImageText(database)) << "seed " << seed;
    }
  }
}

TEST(GpxFormat, OurExtensionIsFoundUnderAnyPrefix) {
  const ReadResult read = ReadGpx(
      "<gpx xmlns:u=\"urn:x-userdb:gpx:1\"><wpt lat=\"1\" lon=\"2\"><extensions><u:point><u:index>7</u:index>"
      "<u:speed>32</u:speed><u:direction>270</u:direction><u:extra>010203</u:extra></u:point></extensions></wpt></"
      "gpx>");
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  const UserPoint point = read.points.database.Point(7);
  EXPECT_EQ(point.speed, 32);
  EXPECT_EQ(point.direction, 270);
  EXPECT_EQ(read.points.database.Record(7)[15], 0x03);
  EXPECT_TRUE(read.points.database.Point(0).IsEmpty());
}

TEST(GpxFormat, OtherProgramsWaypointsFillTheFreeRecordsInOrder) {
  const ReadResult read =
      ReadGpx(Gpx("<wpt lat=\"48.7758\" lon=\"9.1829\"><name>short</name><desc>K&#246;ln &amp; more</desc>"
                  "<type>1</type><speed>16.6667</speed><course>89.6</course></wpt>\n"
                  "<wpt lat=\"-33.8688\" lon=\"-151.2093\"><name>only a name</name></wpt>\n"));
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  const UserDatabase& database = read.points.database;
  EXPECT_EQ(database.Point(0).latitude, 29265480u);
  EXPECT_EQ(database.Point(0).speed, 32);  // 16.6667 m/s is 60 km/h, stored as the window stores 60
  EXPECT_EQ(database.Point(0).direction, 90);
  EXPECT_EQ(database.Point(0).type, 1);
  EXPECT_EQ(database.Note(0)[1], 0xF6);  // desc wins over name, in Latin-1
  EXPECT_EQ(database.Point(1).longitude, 90725580u | 0x80000000u);
  EXPECT_EQ(database.Point(1).speed, kNoSpeed);
  EXPECT_EQ(database.Note(1)[0], 'o');
  EXPECT_EQ(read.points.lines[1], 4);
}

TEST(GpxFormat, GarminsSpeedInTheNameAndItsProximityAreUnderstood) {
  const ReadResult read = ReadGpx(
      Gpx("<wpt lat=\"52.52\" lon=\"13.405\"><name>School @30</name>\n"
          "<extensions><gpxx:WaypointExtension xmlns:gpxx=\"http://www.garmin.com/xmlschemas/GpxExtensions/v3\">\n"
          "<gpxx:Proximity>150</gpxx:Proximity></gpxx:WaypointExtension></extensions></wpt>\n"
          "<wpt lat=\"1\" lon=\"2\"><name>Speed @ 40 in the middle</name></wpt>\n"));
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  EXPECT_EQ(read.points.database.Point(0).speed, StoredSpeed(30, kSpeedUnitKilometer));
  EXPECT_EQ(NoteText(read.points.database.Note(0)), "School");
  EXPECT_EQ(read.points.database.Point(1).speed, kNoSpeed);
  ASSERT_EQ(read.changes.size(), 1u);
  EXPECT_EQ(DescribeChange("f.gpx", read.changes[0]),
            "f.gpx:5: proximity alarm of 150 m left out: the device warns at its own distance");
}

TEST(GpxFormat, WrongValuesAreNamedWithTheirLine) {
  const ReadResult read =
      ReadGpx(Gpx("<wpt lat=\"95\" lon=\"2\"/>\n"
                  "<wpt lat=\"1\" lon=\"east\"/>\n"
                  "<wpt lat=\"1\" lon=\"2\">\n<type>camera</type>\n<speed>300</speed>\n</wpt>\n"
                  "<wpt lat=\"1\" lon=\"2\"><name>\xE2\x82\xAC</name></wpt>\n"));
  EXPECT_EQ(Described(read), (std::vector<std::string>{
                                 "f.gpx:3: lat: 95 is outside -90 to 90",
                                 "f.gpx:4: lon: \"east\" is not decimal degrees",
                                 "f.gpx:6: type: \"camera\" is not a whole number",
                                 "f.gpx:7: speed: \"300\" m/s is not a speed below 1000 km/h",
                                 "f.gpx:9: name: character U+20AC is not one of the 256 a note can hold (U+0000 to "
                                 "U+00FF)",
                             }));
}

TEST(GpxFormat, BrokenXmlAndTooManyWaypointsAreRefused) {
  EXPECT_EQ(Described(ReadGpx("<gpx>\n<wpt lat=\"1\" lon=\"2\">\n</gpx>")),
            std::vector<std::string>{"f.gpx:3: Start-end tags mismatch"});
  EXPECT_EQ(Described(ReadGpx("<kml/>")), std::vector<std::string>{"f.gpx:1: not a GPX file"});
  std::string waypoints;
  for (int i = 0; i < 257; ++i) waypoints += "<wpt lat=\"1\" lon=\"2\"/>\n";
  EXPECT_EQ(Described(ReadGpx(Gpx(waypoints))),
            std::vector<std::string>{"f.gpx:259: more than 256 points: a device holds 256"});
}

}  // namespace
}  // namespace userdb::formats
