#include "formats/csv_format.h"

#include <gtest/gtest.h>

#include "format_fixtures.h"

namespace userdb::formats {
namespace {

using test::DatabaseOf;
using test::GoldenFile;
using test::ImageText;

constexpr const char* kHeader =
    "index,longitude,latitude,speed_knots,speed_kmh,direction,type,note,note_hex,extra_hex\r\n";

ReadResult ReadRows(const std::string& rows) { return ReadCsv(kHeader + rows); }

// The problems as "line field: message", for comparing whole lists.
std::vector<std::string> Described(const ReadResult& result) {
  std::vector<std::string> lines;
  for (const FileProblem& problem : result.problems) lines.push_back(DescribeProblem("f.csv", problem));
  return lines;
}

TEST(CsvFormat, WritesTheGoldenFileAndReadsItBackByteForByte) {
  const std::string image = GoldenFile("points.bin");
  ASSERT_EQ(image.size(), kImageSize);
  EXPECT_EQ(WriteCsv(DatabaseOf(image)), GoldenFile("points.csv"));
  const ReadResult read = ReadCsv(GoldenFile("points.csv"));
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  EXPECT_EQ(ImageText(read.points.database), image);
  EXPECT_EQ(read.points.lines[2], 4);
  EXPECT_EQ(read.points.lines[40], 11);  // the erased record that keeps the device's bytes
}

TEST(CsvFormat, AnyImageSurvivesTheRoundTrip) {
  for (unsigned seed : {1u, 2u, 3u}) {
    for (const UserDatabase& database : {test::RandomDatabase(seed), test::RandomPlainDatabase(seed)}) {
      const ReadResult read = ReadCsv(WriteCsv(database));
      ASSERT_TRUE(read.Ok()) << Described(read).front();
      EXPECT_EQ(ImageText(read.points.database), ImageText(database)) << "seed " << seed;
    }
  }
}

TEST(CsvFormat, ASpreadsheetMayReorderDropColumnsAndGiveKmhOnly) {
  const ReadResult read =
      ReadCsv("note,latitude,index,longitude,speed_kmh\n\"Ampel, K\xC3\xB6ln\",50.9375,0,6.9603,100\n");
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  const UserPoint point = read.points.database.Point(0);
  EXPECT_EQ(point.longitude, 4176180u);
  EXPECT_EQ(point.latitude, 30562500u);
  EXPECT_EQ(point.speed, 53);  // as the window stores a typed 100 km/h
  EXPECT_EQ(point.direction, kNoDirection);
  EXPECT_EQ(point.type, kNoType);
  EXPECT_EQ(read.points.database.Note(0)[8], 0xF6);
  EXPECT_EQ(read.points.database.Record(0)[13], 0xFF);
  EXPECT_TRUE(read.points.database.Point(1).IsEmpty());
}

TEST(CsvFormat, ASpeedGivenTwiceMustAgree) {
  EXPECT_TRUE(ReadRows("0,1,1,32,59,,,,,\r\n").Ok());
  EXPECT_EQ(Described(ReadRows("0,1,1,32,60,,,,,\r\n")),
            std::vector<std::string>{"f.csv:2: speed_kmh: 60 does not match speed_knots 32 (59 km/h): change one of "
                                     "them and clear the other"});
}

TEST(CsvFormat, EachWrongFieldIsNamedWithItsLine) {
  const ReadResult read = ReadRows(
      "0,9.5,48.1,32,59,270,0,fine,,0000A5\r\n"
      "1,9.5x,48.1,,,,,,,\r\n"
      "2,9.5,,abc,,360000,256,,,00\r\n"
      "3,,,,,,,\"\xE2\x82\xAC\",,\r\n"
      "0,1,1,,,,,,,\r\n"
      "256,1,1,,,,,,,\r\n"
      "4,1,1\r\n");
  EXPECT_EQ(Described(read), (std::vector<std::string>{
                                 "f.csv:3: longitude: \"9.5x\" is not decimal degrees",
                                 "f.csv:4: latitude: empty, but longitude is not: give both or neither",
                                 "f.csv:4: speed_knots: \"abc\" is not a whole number",
                                 "f.csv:4: direction: 360000 is above 65535",
                                 "f.csv:4: type: 256 is above 255",
                                 "f.csv:4: extra_hex: not 6 hex digits (bytes 13 to 15)",
                                 "f.csv:5: note: character U+20AC is not one of the 256 a note can hold (U+0000 to "
                                 "U+00FF)",
                                 "f.csv:6: index: record 0 is given twice",
                                 "f.csv:7: index: \"256\" is not a record index from 0 to 255",
                                 "f.csv:8: 3 fields, but the header has 10",
                             }));
}

TEST(CsvFormat, MissingUnknownAndRepeatedColumnsAreNamed) {
  EXPECT_EQ(Described(ReadCsv("index,longitude,speed\n0,1,2\n")),
            (std::vector<std::string>{"f.csv:1: unknown column \"speed\"", "f.csv:1: missing column \"latitude\""}));
  EXPECT_EQ(Described(ReadCsv("index,longitude,latitude,index\n")),
            std::vector<std::string>{"f.csv:1: column \"index\" appears twice"});
  EXPECT_EQ(Described(ReadCsv("")), std::vector<std::string>{"f.csv:1: no header row"});
}

TEST(CsvFormat, MoreRowsThanADeviceHoldsAreRefusedAtTheFirstOneTooMany) {
  std::string rows;
  for (int i = 0; i < 300; ++i) rows += std::to_string(i % 256) + ",1,1,,,,,,,\r\n";
  EXPECT_EQ(Described(ReadRows(rows)),
            std::vector<std::string>{"f.csv:258: more than 256 rows: a device holds 256 points"});
}

TEST(CsvFormat, ABrokenQuoteIsTheOnlyProblemReported) {
  EXPECT_EQ(Described(ReadRows("0,1,1,,,,,\"open,,\r\n1,1,1,,,,,,,\r\n")),
            std::vector<std::string>{"f.csv:2: the quoted field that starts on this line is never closed"});
}

}  // namespace
}  // namespace userdb::formats
