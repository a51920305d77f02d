#include "formats/device_rules.h"

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "formats/csv_format.h"
#include "formats/image_format.h"

namespace userdb::formats {
namespace {

constexpr const char* kHeader =
    "index,longitude,latitude,speed_knots,speed_kmh,direction,type,note,note_hex,extra_hex\n";

std::vector<std::string> ProblemsOf(const PointsFile& file, const std::string& name) {
  std::vector<std::string> lines;
  for (const FileProblem& problem : CheckForDevice(file)) lines.push_back(DescribeProblem(name, problem));
  return lines;
}

std::vector<std::string> CsvProblems(const std::string& rows) {
  const ReadResult read = ReadCsv(kHeader + rows);
  EXPECT_TRUE(read.Ok());
  return ProblemsOf(read.points, "f.csv");
}

TEST(DeviceRules, TheGoldenPointsAndTheImportedListPass) {
  EXPECT_TRUE(ProblemsOf(ReadImage(test::GoldenFile("points.bin")).points, "points.bin").empty());
  EXPECT_TRUE(CsvProblems("0,179.9999983,-89.9999983,539,,359,1,,,\n").empty());  // the bounds themselves
}

TEST(DeviceRules, ValuesTheWindowWouldRefuseAreNamedWithTheWindowsWords) {
  EXPECT_EQ(CsvProblems("0,180,90.0000017,540,,360,2,,,\n"),
            (std::vector<std::string>{
                "f.csv:2: longitude: Longitude - degress must  under 180 (shown as 180)",
                "f.csv:2: latitude: Latitude - degress must under 90 (shown as 90)",
                "f.csv:2: speed_knots: Speed must under 1000 (shown as 1000)",
                "f.csv:2: direction: Direction must under 360 (shown as 360)",
                "f.csv:2: type: Type must be 0 or 1 (shown as 2)",
            }));
  EXPECT_EQ(CsvProblems("0,1,1,,,,,," + std::string(256, '7') + ",\n"),
            std::vector<std::string>{"f.csv:2: note: Note must under 128 bytes (128 bytes)"});
}

TEST(DeviceRules, FilledRecordsComeFirst) {
  EXPECT_EQ(CsvProblems("0,1,1,,,,,,,\n2,1,1,,,,,,,\n"),
            std::vector<std::string>{
                "f.csv:3: record 2 holds a point, but record 1 before it is empty: filled records must come first"});
  EXPECT_TRUE(CsvProblems("0,1,1,,,,,,,\n1,,,,,,,x,,010203\n").empty());  // an erased record is not judged
}

TEST(DeviceRules, AnImageHasNoLinesSoTheRecordIsNamed) {
  UserDatabase database;
  database.SetPoint(0, UserPoint{.longitude = 0, .latitude = kNoCoordinate});
  const ReadResult read = ReadImage(test::ImageText(database));
  EXPECT_EQ(ProblemsOf(read.points, "x.bin"),
            std::vector<std::string>{"x.bin: record 0: latitude: Latitude - degress must under 90 (shown as 3579)"});
}

}  // namespace
}  // namespace userdb::formats
