// The list formats drivers have: TomTom's OV2, Garmin's POI CSV and iGO's speedcam.txt. Golden
// files both ways, round trips within each format's resolution, every change told, and
// malformed files refused by their record or line without a read out of bounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "database/note_codec.h"
#include "database/speed_codec.h"
#include "format_fixtures.h"
#include "formats/file_contents.h"
#include "formats/garmin_csv.h"
#include "formats/ov2_format.h"
#include "formats/speed_camera_csv.h"

namespace userdb::formats {
namespace {

using test::DatabaseOf;
using test::GoldenFile;

std::vector<std::string> Described(const std::vector<FileProblem>& problems) {
  std::vector<std::string> lines;
  for (const FileProblem& problem : problems) lines.push_back(DescribeProblem("f", problem));
  return lines;
}

std::vector<std::string> Described(const std::vector<Change>& changes) {
  std::vector<std::string> lines;
  for (const Change& change : changes) lines.push_back(DescribeChange("f", change));
  return lines;
}

// Within n stored units (1/600000 degree) of each other, hemisphere and all.
bool Near(std::uint32_t a, std::uint32_t b, std::uint32_t units) {
  if ((a & 0x80000000u) != (b & 0x80000000u) && (a & 0x7FFFFFFFu) + (b & 0x7FFFFFFFu) > units) return false;
  const auto magnitude = [](std::uint32_t v) { return static_cast<std::int64_t>(v & 0x7FFFFFFFu); };
  return std::llabs(magnitude(a) - magnitude(b)) <= units;
}

std::vector<std::size_t> Filled(const UserDatabase& database) {
  std::vector<std::size_t> records;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    if (!database.Point(k).IsEmpty()) records.push_back(k);
  }
  return records;
}

std::string Ov2Point(std::int32_t longitude, std::int32_t latitude, std::string_view name, std::uint8_t type = 2) {
  std::string record(1, static_cast<char>(type));
  const auto i32 = [&record](std::int32_t value) {
    for (int i = 0; i < 4; ++i) record += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
  };
  i32(static_cast<std::int32_t>(13 + name.size() + 1));
  i32(longitude);
  i32(latitude);
  record += name;
  record += '\0';
  return record;
}

TEST(ListFormats, TheGoldenPointsWriteAsTheGoldenFiles) {
  const UserDatabase golden = DatabaseOf(GoldenFile("points.bin"));
  std::vector<Change> changes;
  EXPECT_EQ(WriteOv2(PointsOf(golden), changes), GoldenFile("points.ov2"));
  EXPECT_EQ(WriteGarminCsv(PointsOf(golden), {}, changes), GoldenFile("points-garmin.csv"));
  EXPECT_EQ(WriteSpeedCameraCsv(PointsOf(golden), changes), GoldenFile("points-speedcam.txt"));
  // Every loss is told: OV2 carries no speed, direction or type, POI CSV no direction or type,
  // the camera list no note.
  const std::vector<std::string> told = Described(changes);
  EXPECT_NE(std::find(told.begin(), told.end(), "f: record 0: speed left out: OV2 has none"), told.end());
  EXPECT_NE(std::find(told.begin(), told.end(), "f: record 0: direction left out: POI CSV has none"), told.end());
  EXPECT_NE(std::find(told.begin(), told.end(), "f: record 0: note left out: the list has none"), told.end());
}

TEST(ListFormats, EachGoldenFileReadsBackWithinItsFormatsResolution) {
  const UserDatabase golden = DatabaseOf(GoldenFile("points.bin"));
  const std::vector<std::size_t> filled = Filled(golden);
  const ListRead ov2 = ReadOv2(GoldenFile("points.ov2"), {});
  const ListRead garmin = ReadGarminCsv(GoldenFile("points-garmin.csv"), {});
  const ListRead cameras = ReadSpeedCameraList(GoldenFile("points-speedcam.txt"), {});
  for (const ListRead* read : {&ov2, &garmin, &cameras}) {
    ASSERT_TRUE(read->Ok()) << Described(read->problems).front();
    ASSERT_EQ(read->points.size(), filled.size());
  }
  for (std::size_t i = 0; i < filled.size(); ++i) {
    const UserPoint original = golden.Point(filled[i]);
    const std::string note = NoteText(golden.Note(filled[i]));
    // 1/100000 degree is 6 units, and OV2 stays off the 180th meridian; seven decimals restore
    // every unit.
    EXPECT_TRUE(Near(ov2.points[i].point.longitude, original.longitude, 6)) << i;
    EXPECT_TRUE(Near(ov2.points[i].point.latitude, original.latitude, 3)) << i;
    EXPECT_EQ(ov2.points[i].note, note) << i;
    EXPECT_EQ(garmin.points[i].point.longitude, original.longitude) << i;
    EXPECT_EQ(garmin.points[i].point.speed, original.speed) << i;
    EXPECT_EQ(garmin.points[i].note, note) << i;
    EXPECT_EQ(cameras.points[i].point.latitude, original.latitude) << i;
    EXPECT_EQ(cameras.points[i].point.direction, original.direction) << i;
    EXPECT_EQ(cameras.points[i].point.type, original.type == kNoType ? 0 : original.type) << i;
    // The lists read a speed of 0 as none.
    EXPECT_EQ(cameras.points[i].point.speed, original.speed == 0 ? kNoSpeed : original.speed) << i;
  }
}

TEST(ListFormats, RandomDatabasesGoThroughOv2AndPoiCsvAndBack) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const UserDatabase original = test::RandomPlainDatabase(seed);
    std::vector<Change> changes;
    const ListRead ov2 = ReadOv2(WriteOv2(PointsOf(original), changes), {});
    const ListRead garmin =
        ReadGarminCsv(WriteGarminCsv(PointsOf(original), {.mph = seed % 2 == 0}, changes), {.mph = seed % 2 == 0});
    const std::vector<std::size_t> filled = Filled(original);
    ASSERT_EQ(ov2.points.size(), filled.size()) << seed;
    ASSERT_EQ(garmin.points.size(), filled.size()) << seed;
    for (std::size_t i = 0; i < filled.size(); ++i) {
      const UserPoint point = original.Point(filled[i]);
      EXPECT_TRUE(Near(ov2.points[i].point.latitude, point.latitude, 3)) << seed << " " << i;
      EXPECT_EQ(ov2.points[i].note, NoteText(original.Note(filled[i]))) << seed << " " << i;
      EXPECT_EQ(garmin.points[i].note, NoteText(original.Note(filled[i]))) << seed << " " << i;
      EXPECT_EQ(garmin.points[i].point.latitude, point.latitude) << seed << " " << i;
      if (point.speed != kNoSpeed && point.speed < StoredSpeed(999, seed % 2 == 0 ? kSpeedUnitMile : 1)) {
        EXPECT_EQ(garmin.points[i].point.speed, point.speed) << seed << " " << i;
      }
    }
  }
}

TEST(ListFormats, AnOv2FileOfMoreThanTwentyPointsStartsWithASkipperAndReadsPastIt) {
  UserDatabase database;
  for (std::size_t k = 0; k < 21; ++k) database.SetPoint(k, UserPoint{static_cast<std::uint32_t>(600 * k), 6000000});
  std::vector<Change> changes;
  const std::string file = WriteOv2(PointsOf(database), changes);
  ASSERT_EQ(file[0], 1);  // a skipper over the block
  EXPECT_EQ(static_cast<unsigned char>(file[1]) | static_cast<unsigned char>(file[2]) << 8,
            static_cast<int>(file.size()));
  const ListRead read = ReadOv2(file, {});
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.points.size(), 21u);
  EXPECT_EQ(read.points[20].point.longitude, 12000u);

  // Deleted records are skipped, extended ones read for their first string.
  std::string other = std::string("\0\x09\0\0\0abcd", 9) + Ov2Point(100, 200, std::string("first\0second", 12), 3);
  const ListRead mixed = ReadOv2(other, {.type = 1});
  ASSERT_TRUE(mixed.Ok()) << Described(mixed.problems).front();
  ASSERT_EQ(mixed.points.size(), 1u);
  EXPECT_EQ(mixed.points[0].note, "first");
  EXPECT_EQ(mixed.points[0].point.longitude, 600u);
  EXPECT_EQ(mixed.points[0].point.type, 1);
}

TEST(ListFormats, MalformedOv2FilesAreRefusedByTheirRecord) {
  const std::string good = Ov2Point(900000, 4800000, "ok");
  std::string negative = Ov2Point(1, 2, "x");
  negative[1] = '\xFF', negative[2] = '\xFF', negative[3] = '\xFF', negative[4] = '\xFF';
  std::string pastTheEnd = Ov2Point(1, 2, "x");
  pastTheEnd[1] = 100;
  std::string noZero = Ov2Point(1, 2, "x");
  noZero.back() = 'y';
  std::string lyingSkipper(21, '\0');
  lyingSkipper[0] = 1;
  lyingSkipper[1] = 99;  // covers more than there is
  const std::vector<std::pair<std::string, std::string>> cases = {
      {good + good.substr(0, 7), "f: record 1: a record length of 16 bytes, past the end of the file (at byte 16)"},
      {good + negative, "f: record 1: a record length of -1 bytes (at byte 16)"},
      {pastTheEnd, "f: record 0: a record length of 100 bytes, past the end of the file (at byte 0)"},
      {noZero, "f: record 0: a name without its closing zero byte (at byte 0)"},
      {lyingSkipper + good, "f: record 0: a record length of 99 bytes, past the end of the file (at byte 0)"},
      {std::string("\x07", 1), "f: record 0: a record of unknown type 7 (at byte 0)"},
      {std::string("\x02\x05", 2), "f: record 0: a record cut short (at byte 0)"},
      {Ov2Point(18000001, 0, "far"), "f: record 0: a position off the globe (at byte 0)"},
  };
  for (const auto& [bytes, expected] : cases) {
    const ListRead read = ReadOv2(bytes, {});
    EXPECT_EQ(Described(read.problems), std::vector<std::string>{expected});
  }
}

TEST(ListFormats, NamesAreNeverGarbledAndEveryChangeIsTold) {
  const std::string file = Ov2Point(0, 0,
                                    "\xC5\x81\xC3\xB3"
                                    "d\xC5\xBA") +
                           Ov2Point(0, 0, "\xE6\x9D\xB1\xE4\xBA\xAC") + Ov2Point(0, 0, std::string(140, 'n')) +
                           Ov2Point(0, 0,
                                    "Stra\xDF"
                                    "e");
  const ListRead read = ReadOv2(file, {});
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.points[0].note,
            "L\xF3"
            "dz");  // ó fits ISO 8859-1, Ł and ź are transliterated
  EXPECT_EQ(read.points[1].note, "??");
  EXPECT_EQ(read.points[2].note, std::string(127, 'n'));
  EXPECT_EQ(read.points[3].note,
            "Stra\xDF"
            "e");  // ISO 8859-1 as it stands
  EXPECT_EQ(Described(read.changes),
            (std::vector<std::string>{"f: record 0: 2 characters outside ISO 8859-1 written in Latin letters",
                                      "f: record 1: 2 characters outside ISO 8859-1 stored as '?'",
                                      "f: record 2: name cut to the note's 127 bytes"}));
}

TEST(ListFormats, PoiCsvTakesQuotedFieldsSpeedsInNamesAndSaysWhatItLeaves) {
  const ListRead read = ReadGarminCsv(
      "13.405,52.52,\"Alexanderplatz, Ampel @50\",\"red light\"\r\n"
      "-0.1278,-51.5074,\"two\nlines\",\"\"\n"
      "1,2,School @30\n",
      {.mph = true});
  ASSERT_TRUE(read.Ok()) << Described(read.problems).front();
  ASSERT_EQ(read.points.size(), 3u);
  EXPECT_EQ(read.points[0].note, "Alexanderplatz, Ampel");
  EXPECT_EQ(read.points[0].point.speed, StoredSpeed(50, kSpeedUnitMile));
  EXPECT_EQ(read.points[0].point.direction, kNoDirection);
  EXPECT_EQ(read.points[1].note, "two\nlines");
  EXPECT_EQ(read.points[1].point.longitude, 76680u | 0x80000000u);
  EXPECT_EQ(read.points[1].point.speed, kNoSpeed);
  EXPECT_EQ(read.points[2].line, 4);
  EXPECT_EQ(Described(read.changes),
            (std::vector<std::string>{"f:1: speed 50 mph shown as 49 mph: the device stores knots",
                                      "f:1: comment left out: a point has one note",
                                      "f:4: speed 30 mph shown as 29 mph: the device stores knots"}));

  EXPECT_EQ(Described(ReadGarminCsv("1,2,\"unclosed\n", {}).problems).size(), 1u);
  EXPECT_EQ(Described(ReadGarminCsv("1,2,ok\nx,2,bad\n", {}).problems),
            std::vector<std::string>{"f:2: longitude: not a longitude in degrees"});
  EXPECT_EQ(Described(ReadGarminCsv("1,95,far\n", {}).problems),
            std::vector<std::string>{"f:1: latitude: not a latitude in degrees"});
  EXPECT_EQ(Described(ReadGarminCsv("1,2\n", {}).problems),
            std::vector<std::string>{"f:1: a point needs longitude, latitude and name"});
}

TEST(ListFormats, PoiCsvNamesThatEndLikeASpeedAreNeverLostOnTheWayBack) {
  const ListRead large = ReadGarminCsv("1,2,Gate @1500\n", {});
  ASSERT_TRUE(large.Ok());
  ASSERT_EQ(large.points.size(), 1u);
  EXPECT_EQ(large.points[0].note, "Gate @1500");
  EXPECT_EQ(large.points[0].point.speed, kNoSpeed);
  EXPECT_EQ(Described(large.changes),
            std::vector<std::string>{"f:1: @1500 kept in the name: above 999 it is no speed"});

  // A long name cut to the note can end in digits after an '@' that were never a speed.
  const std::string cut = std::string(120, 's') + " @4279190000";
  const ListRead first = ReadGarminCsv("1,2,\"" + cut + "\"\n", {});
  ASSERT_TRUE(first.Ok());
  ASSERT_EQ(first.points.size(), 1u);
  ASSERT_EQ(first.points[0].note, std::string(120, 's') + " @42791");
  std::vector<Change> changes;
  const ListRead again = ReadGarminCsv(WriteGarminCsv(first.points, {}, changes), {});
  ASSERT_TRUE(again.Ok());
  ASSERT_EQ(again.points.size(), 1u);
  EXPECT_EQ(again.points[0].note, first.points[0].note);
  EXPECT_EQ(again.points[0].point.speed, kNoSpeed);

  // A note that ends in a speed the format can carry does read back as one, and the writer says so.
  ListPoint exit{UserPoint{100, 200}, "Exit @50", 3, 7};
  changes.clear();
  const ListRead exitAgain = ReadGarminCsv(WriteGarminCsv(std::span(&exit, 1), {}, changes), {});
  EXPECT_EQ(Described(changes), std::vector<std::string>{"f:3: name ends in @50: it reads back as a speed"});
  ASSERT_EQ(exitAgain.points.size(), 1u);
  EXPECT_EQ(exitAgain.points[0].point.speed, StoredSpeed(50, kSpeedUnitKilometer));
}

TEST(ListFormats, AllDirectionsIsAPointWithoutOneAndSaysSo) {
  const ListRead read = ReadSpeedCameraList("X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,2,0,50,0,0\n3,4,1,60,2,90\n", {});
  ASSERT_TRUE(read.Ok());
  ASSERT_EQ(read.points.size(), 3u);
  EXPECT_EQ(read.points[0].point.direction, kNoDirection);
  EXPECT_EQ(read.points[2].point.direction, 270);
  EXPECT_EQ(Described(read.changes),
            std::vector<std::string>{"f:2: all directions: stored as a point without a direction"});
}

TEST(ListFormats, ListsLongerThanADeviceAreReadWholeButNotIntoADatabase) {
  std::string garmin;
  for (int i = 0; i < 300; ++i) garmin += std::to_string(i % 90) + ",1,p" + std::to_string(i) + "\n";
  const ListRead list = ReadPointList(FileFormat::GarminCsv, garmin);
  ASSERT_TRUE(list.Ok());
  EXPECT_EQ(list.points.size(), 300u);
  const ReadResult database = ReadContents(FileFormat::GarminCsv, garmin);
  EXPECT_EQ(Described(database.problems),
            std::vector<std::string>{"f:257: this row and the 43 after it do not fit: a device holds 256 points"});
}

}  // namespace
}  // namespace userdb::formats
