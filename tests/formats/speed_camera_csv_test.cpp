#include "formats/speed_camera_csv.h"

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "formats/csv_format.h"

namespace userdb::formats {
namespace {

std::vector<std::string> Described(const ReadResult& result) {
  std::vector<std::string> lines;
  for (const FileProblem& problem : result.problems) lines.push_back(DescribeProblem("cams.csv", problem));
  return lines;
}

TEST(SpeedCameraCsv, APublicListBecomesTheGoldenPoints) {
  const ReadResult read = ReadSpeedCameraCsv(test::GoldenFile("speedcams.csv"));
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  EXPECT_EQ(WriteCsv(read.points.database), test::GoldenFile("speedcams-imported.csv"));
  EXPECT_EQ(read.points.lines[1], 3);  // both directions: two points from one line
  EXPECT_EQ(read.points.lines[2], 3);
  EXPECT_EQ(read.points.lines[3], 4);
}

TEST(SpeedCameraCsv, ConversionFollowsTheDocumentedRules) {
  const ReadResult read = ReadSpeedCameraCsv(
      "x,y,type,speed,dirtype,direction\n"
      "-0.12780,-51.50740,0,,1,0\n"
      "1,2,1,999,2,270\n");
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  const UserDatabase& database = read.points.database;
  EXPECT_EQ(database.Point(0).longitude, 76680u | 0x80000000u);
  EXPECT_EQ(database.Point(0).latitude, 30904440u | 0x80000000u);
  EXPECT_EQ(database.Point(0).speed, kNoSpeed);
  EXPECT_EQ(database.Point(1).speed, 538);
  EXPECT_EQ(database.Point(1).direction, 270);
  EXPECT_EQ(database.Point(2).direction, 90);
  EXPECT_TRUE(database.Point(3).IsEmpty());
  EXPECT_EQ(database.Note(1)[0], 0xFF);
}

TEST(SpeedCameraCsv, RowsTheDeviceCannotHoldAreReportedByLine) {
  const ReadResult read = ReadSpeedCameraCsv(test::GoldenFile("speedcams-bad-row.csv"));
  EXPECT_EQ(Described(read), std::vector<std::string>{"cams.csv:4: DIRECTION: 400 is above 359"});

  const ReadResult many = ReadSpeedCameraCsv(
      "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n"
      "1,2,3,60,1,90\n"
      "1,2,0,1000,1,90\n"
      "1,2,0,60,1,360\n"
      "1,2,0,60,3,90\n"
      "1,2,0,60,1,\n"
      "east,2,0,60,1,90\n"
      "1,2,0,60\n");
  EXPECT_EQ(Described(many), (std::vector<std::string>{
                                 "cams.csv:2: TYPE: 3 is above 1",
                                 "cams.csv:3: SPEED: 1000 is above 999",
                                 "cams.csv:4: DIRECTION: 360 is above 359",
                                 "cams.csv:5: DIRTYPE: 3 is above 2",
                                 "cams.csv:6: DIRECTION: empty, but DIRTYPE asks for a direction",
                                 "cams.csv:7: X: \"east\" is not decimal degrees",
                                 "cams.csv:8: 4 fields, but the header has 6",
                             }));
}

TEST(SpeedCameraCsv, OneTypeForAllPointsReplacesTheListsTypes) {
  const ReadResult read = ReadSpeedCameraCsv("X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,2,7,60,1,90\n", {.type = 0});
  ASSERT_TRUE(read.Ok()) << Described(read).front();
  EXPECT_EQ(read.points.database.Point(0).type, 0);
}

TEST(SpeedCameraCsv, PointsPastTheDevicesRoomAreReportedFromTheirFirstLine) {
  std::string list = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  for (int i = 0; i < 127; ++i) list += "1,2,0,60,2,90\n";  // 254 points
  list += "1,2,0,60,1,90\n1,2,0,60,2,90\n1,2,0,60,1,90\n";
  EXPECT_EQ(
      Described(ReadSpeedCameraCsv(list)),
      std::vector<std::string>{"cams.csv:130: this row and the 1 after it do not fit: a device holds 256 points"});
}

TEST(SpeedCameraCsv, ListsAreToldFromOurCsvByTheirHeader) {
  EXPECT_TRUE(IsSpeedCameraList("X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,2,0,60,1,90\n"));
  EXPECT_TRUE(IsSpeedCameraList("\xEF\xBB\xBFidx,x,y,type,speed,dirtype,direction\r\n"));
  EXPECT_FALSE(IsSpeedCameraList(test::GoldenFile("points.csv")));
  EXPECT_FALSE(IsSpeedCameraList(""));
}

}  // namespace
}  // namespace userdb::formats
