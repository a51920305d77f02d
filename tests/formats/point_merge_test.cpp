// Merging lists into a driver's points: duplicates counted once and never over the driver's own
// point, regions, the device's 256 records, and the order the page check needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "database/note_codec.h"
#include "formats/device_rules.h"
#include "formats/nearby_points.h"
#include "formats/point_merge.h"

namespace userdb::formats {
namespace {

constexpr std::uint32_t kWest = 0x80000000u;

// Decimal degrees as stored units, negative west or south.
std::uint32_t Units(double degrees) {
  const auto magnitude = static_cast<std::uint32_t>(std::lround(std::abs(degrees) * 600000));
  return degrees < 0 ? magnitude | kWest : magnitude;
}

UserPoint At(double latitude, double longitude, std::uint16_t direction = kNoDirection) {
  return UserPoint{Units(longitude), Units(latitude), kNoSpeed, direction, 0};
}

ListPoint Listed(double latitude, double longitude, std::string note = "", std::uint16_t direction = kNoDirection) {
  return ListPoint{At(latitude, longitude, direction), std::move(note), 0, 0};
}

// A metre north is 1/111195 degree on the sphere the distances use.
constexpr double kDegreesPerMetre = 1.0 / 111194.93;

void Put(UserDatabase& database, std::size_t record, const UserPoint& point, std::string_view note) {
  database.SetPoint(record, point);
  WriteNote(database.Note(record), note);
}

std::size_t FilledCount(const UserDatabase& database) {
  std::size_t count = 0;
  for (std::size_t k = 0; k < kRecordCount; ++k) count += database.Point(k).IsEmpty() ? 0 : 1;
  return count;
}

bool FilledFirst(const UserDatabase& database) {
  const std::size_t count = FilledCount(database);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    if (database.Point(k).IsEmpty() != (k >= count)) return false;
  }
  return true;
}

TEST(EarthPosition, DistancesAndThePlacesTheCommandLineTakes) {
  const EarthPosition berlin{52.52, 13.405};
  const EarthPosition munich{48.1374, 11.5755};
  EXPECT_NEAR(DistanceMetres(berlin, munich), 504300, 1500);
  EXPECT_NEAR(DistanceMetres(berlin, {52.52 + 30 * kDegreesPerMetre, 13.405}), 30.0, 0.01);
  // Across the 180th meridian the short way.
  EXPECT_NEAR(DistanceMetres({0, 179.9999}, {0, -179.9999}), 22.2, 0.1);

  ASSERT_TRUE(PositionOfText("52.52,13.40"));
  EXPECT_DOUBLE_EQ(PositionOfText("-33.9,-70.5")->longitude, -70.5);
  for (const char* bad : {"", "52.52", "52.52,", "52.52,13.40,1", "91,0", "0,181", "x,1", "52.52;13.40"}) {
    EXPECT_FALSE(PositionOfText(bad)) << bad;
  }
  ASSERT_TRUE(BoxOfText("13.0,52.3,13.8,52.7"));
  EXPECT_FALSE(BoxOfText("13.0,52.7,13.8,52.3"));  // south above north
  EXPECT_FALSE(BoxOfText("13.0,52.3,13.8"));
  const EarthBox pacific = *BoxOfText("170,-20,-170,20");
  EXPECT_TRUE(pacific.Holds({0, 179}));
  EXPECT_TRUE(pacific.Holds({0, -175}));
  EXPECT_FALSE(pacific.Holds({0, 0}));
  EXPECT_FALSE(pacific.Holds({21, 179}));
}

// The grid finds exactly what comparing every pair finds, near the poles and across the 180th
// meridian too, where cells in degrees would have seams.
TEST(NearbyPoints, FindsWhatABruteForceScanFinds) {
  std::mt19937 random(7);
  for (const EarthPosition centre :
       {EarthPosition{52.5, 13.4}, EarthPosition{89.9995, 40}, EarthPosition{-10, 179.9995}, EarthPosition{0, 0}}) {
    const double radius = 30;
    std::vector<EarthPosition> points;
    std::uniform_real_distribution<double> spread(-0.002, 0.002);
    for (int i = 0; i < 400; ++i) {
      double latitude = std::clamp(centre.latitude + spread(random), -90.0, 90.0);
      double longitude = centre.longitude + spread(random);
      if (longitude > 180) longitude -= 360;
      points.push_back({latitude, longitude});
    }
    NearbyPoints nearby(radius);
    for (std::size_t i = 0; i < points.size(); ++i) nearby.Add(points[i], i);
    for (std::size_t q = 0; q < points.size(); q += 7) {
      std::vector<std::size_t> expected;
      for (std::size_t i = 0; i < points.size(); ++i) {
        if (DistanceMetres(points[q], points[i]) <= radius) expected.push_back(i);
      }
      std::vector<std::size_t> found;
      const auto within = nearby.Within(points[q]);
      for (const NearbyPoints::Near& near : within) found.push_back(near.id);
      EXPECT_TRUE(std::is_sorted(within.begin(), within.end(),
                                 [](const auto& a, const auto& b) { return a.metres < b.metres; }));
      std::sort(found.begin(), found.end());
      EXPECT_EQ(found, expected) << centre.latitude << "," << centre.longitude << " point " << q;
    }
  }
}

class MergeTest : public ::testing::Test {
 protected:
  MergeTest() {
    Put(base, 0, UserPoint{Units(13.4), Units(52.52), 27, 90, 1}, "Home corner");
    base.Record(0)[13] = 0x12;  // the device's own bytes
    base.Record(0)[15] = 0x34;
    Put(base, 1, At(48.1374, 11.5755), "Munich");
  }

  MergeResult Merge(const std::vector<ListPoint>& list) const { return MergePoints(base, list, options); }

  UserDatabase base;
  MergeOptions options;
};

TEST_F(MergeTest, ADuplicateWithinTheDistanceCountsOnceAndTheDriversPointStays) {
  const double north = 52.52 + 25 * kDegreesPerMetre;
  const MergeResult merged = Merge({
      Listed(north, 13.4, "camera A", 90),                       // 25 m, same direction
      Listed(north, 13.4, "camera B"),                           // 25 m, no direction
      Listed(north, 13.4, "camera C", 270),                      // 25 m, the other way
      Listed(52.52 - 35 * kDegreesPerMetre, 13.4, "camera D"),   // 35 m the other side
      Listed(52.52 - 45 * kDegreesPerMetre, 13.4, "camera D2"),  // a duplicate of D, within the list
  });
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(merged.summary.kept, 2u);
  EXPECT_EQ(merged.summary.duplicates, 3u);
  EXPECT_EQ(merged.summary.added, 2u);
  EXPECT_EQ(NoteText(merged.database.Note(0)), "Home corner");
  EXPECT_EQ(merged.database.Point(0).speed, 27);
  EXPECT_EQ(merged.database.Record(0)[13], 0x12);
  EXPECT_EQ(NoteText(merged.database.Note(2)), "camera C");
  EXPECT_EQ(NoteText(merged.database.Note(3)), "camera D");
  EXPECT_TRUE(merged.database.Point(4).IsEmpty());

  options.withinMetres = 40;
  EXPECT_EQ(Merge({Listed(52.52 - 35 * kDegreesPerMetre, 13.4)}).summary.duplicates, 1u);
}

TEST_F(MergeTest, PreferListReplacesTheDriversPointOnceAndKeepsTheDevicesBytes) {
  options.preferList = true;
  ListPoint fresher = Listed(52.52 + 5 * kDegreesPerMetre, 13.4, "list camera", 90);
  fresher.point.speed = 44;
  const MergeResult merged = Merge({fresher, Listed(52.52, 13.4, "second list camera")});
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(merged.summary.duplicates, 2u);
  EXPECT_EQ(merged.summary.replaced, 1u);
  EXPECT_EQ(NoteText(merged.database.Note(0)), "list camera");
  EXPECT_EQ(merged.database.Point(0).speed, 44);
  EXPECT_EQ(merged.database.Record(0)[13], 0x12);
  EXPECT_EQ(merged.database.Record(0)[15], 0x34);
  EXPECT_EQ(FilledCount(merged.database), 2u);
}

TEST_F(MergeTest, ARegionKeepsOnlyTheListPointsInsideAndEveryOneOfTheBases) {
  const std::vector<ListPoint> list = {Listed(52.40, 13.30, "in Berlin"), Listed(53.55, 9.99, "Hamburg"),
                                       Listed(52.60, 13.60, "also in Berlin")};
  options.near = EarthPosition{52.52, 13.40};
  options.radiusKm = 50;
  MergeResult merged = Merge(list);
  EXPECT_EQ(merged.summary.outside, 1u);
  EXPECT_EQ(merged.summary.added, 2u);
  EXPECT_EQ(NoteText(merged.database.Note(1)), "Munich");  // 500 km away, and the driver's

  options.radiusKm.reset();
  options.box = EarthBox{9, 53, 11, 54};
  merged = Merge(list);
  EXPECT_EQ(merged.summary.outside, 2u);
  EXPECT_EQ(NoteText(merged.database.Note(2)), "Hamburg");
  EXPECT_EQ(merged.summary.kept, 2u);
}

std::vector<ListPoint> Row(std::size_t count, double latitude) {
  std::vector<ListPoint> list;
  // 1 km apart, eastwards from 10 degrees: none a duplicate of another.
  for (std::size_t i = 0; i < count; ++i) {
    list.push_back(Listed(latitude, 10.0 + static_cast<double>(i) * 0.015, "p" + std::to_string(i)));
  }
  return list;
}

TEST_F(MergeTest, MoreThanFitsIsRefusedWithTheCountUnlessAFitIsChosen) {
  const std::vector<ListPoint> list = Row(300, 50.0);
  MergeResult merged = Merge(list);
  EXPECT_FALSE(merged.Ok());
  EXPECT_EQ(merged.summary.wanted, 302u);

  options.fit = CapacityFit::First;
  merged = Merge(list);
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(FilledCount(merged.database), 256u);
  EXPECT_EQ(merged.summary.leftOut, 46u);
  EXPECT_EQ(NoteText(merged.database.Note(2)), "p0");
  EXPECT_EQ(merged.leftOut.front().note, "p254");
  ASSERT_EQ(merged.added.size(), 254u);
  EXPECT_EQ(merged.added.front().note, "p0");
  EXPECT_EQ(merged.added.back().note, "p253");

  // Nearest to the row's east end: the last 254 are kept, the first 46 left out in list order.
  options.fit = CapacityFit::Nearest;
  options.near = EarthPosition{50.0, 10.0 + 299 * 0.015};
  merged = Merge(list);
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(NoteText(merged.database.Note(0)), "Home corner");
  EXPECT_EQ(NoteText(merged.database.Note(2)), "p46");
  ASSERT_EQ(merged.leftOut.size(), 46u);
  EXPECT_EQ(merged.leftOut.front().note, "p0");
  EXPECT_EQ(merged.leftOut.back().note, "p45");
  ASSERT_EQ(merged.added.size(), 254u);
  EXPECT_EQ(merged.added.front().note, "p46") << "the points kept, in the list's order";
  EXPECT_TRUE(CheckForDevice(PointsFile{merged.database, {}, kRecordFieldNames}).empty());
}

TEST_F(MergeTest, AFullDeviceKeepsAllItsPointsAndLeavesTheWholeListOut) {
  for (std::size_t k = 2; k < kRecordCount; ++k) Put(base, k, At(40.0, static_cast<double>(k) * 0.01), "mine");
  options.fit = CapacityFit::First;
  const MergeResult merged = Merge(Row(10, 30.0));
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(merged.summary.kept, 256u);
  EXPECT_EQ(merged.summary.leftOut, 10u);
  EXPECT_EQ(merged.database.Image(), base.Image());
}

TEST_F(MergeTest, ListPointsFillTheGapsAndWhatGapsRemainCloseWithEveryByteOfARecord) {
  Put(base, 5, At(45, 5), "after a gap");
  base.Record(5)[14] = 0x77;
  Put(base, 9, At(46, 6), "after another");
  MergeResult merged = Merge(Row(2, 30.0));
  ASSERT_TRUE(merged.Ok());
  // Records 0 and 1 stay; the list fills 2 and 3; 5 and 9 move up to 4 and 5.
  EXPECT_EQ(NoteText(merged.database.Note(2)), "p0");
  EXPECT_EQ(NoteText(merged.database.Note(3)), "p1");
  EXPECT_EQ(NoteText(merged.database.Note(4)), "after a gap");
  EXPECT_EQ(merged.database.Record(4)[14], 0x77);
  EXPECT_EQ(NoteText(merged.database.Note(5)), "after another");
  EXPECT_EQ(merged.summary.movedUp, 2u);
  EXPECT_TRUE(FilledFirst(merged.database));

  merged = Merge(Row(10, 30.0));  // enough to fill every gap: nothing of the driver's moves
  EXPECT_EQ(merged.summary.movedUp, 0u);
  EXPECT_EQ(NoteText(merged.database.Note(5)), "after a gap");
  EXPECT_EQ(NoteText(merged.database.Note(9)), "after another");
  EXPECT_TRUE(FilledFirst(merged.database));
}

TEST_F(MergeTest, SortOrdersEveryRecordByDistanceOrByNote) {
  const std::vector<ListPoint> list = {Listed(52.0, 13.0, "b"), Listed(50.0, 10.0, "A"), Listed(51.0, 12.0)};
  options.order = MergeOrder::Note;
  MergeResult merged = Merge(list);
  std::vector<std::string> notes;
  for (std::size_t k = 0; k < 5; ++k) notes.push_back(NoteText(merged.database.Note(k)));
  EXPECT_EQ(notes, (std::vector<std::string>{"A", "b", "Home corner", "Munich", ""}));

  options.order = MergeOrder::Distance;
  options.near = EarthPosition{48.0, 11.5};
  merged = Merge(list);
  EXPECT_EQ(NoteText(merged.database.Note(0)), "Munich");
  EXPECT_EQ(NoteText(merged.database.Note(1)), "A");
  EXPECT_EQ(NoteText(merged.database.Note(4)), "Home corner");
  EXPECT_EQ(merged.database.Record(4)[13], 0x12);
}

TEST(MergeSummary, SaysEveryCount) {
  MergeSummary summary{.kept = 40, .added = 216, .duplicates = 1, .outside = 3000, .leftOut = 46};
  EXPECT_EQ(DescribeSummary(summary),
            "Merged: 40 kept, 216 added, 1 duplicate, 3000 outside the region, 46 left out for capacity");
  summary.replaced = 1;
  summary.movedUp = 2;
  EXPECT_EQ(DescribeSummary(summary),
            "Merged: 40 kept, 216 added, 1 duplicate (1 of them replacing the base's), 3000 outside the region, 46 "
            "left out for capacity; 2 of the base's records moved up to close gaps");
}

}  // namespace
}  // namespace userdb::formats

namespace userdb::formats {
namespace {

// A route due east along latitude 50 from 8 to 10 degrees, and a list of points beside it.
class AlongARoute : public ::testing::Test {
 protected:
  static constexpr double kLatitude = 50;
  Route route{{{{kLatitude, 8.0}, {kLatitude, 9.0}, {kLatitude, 10.0}}}};
  // Metres north of the route as degrees of latitude.
  static double North(double metres) { return metres * kDegreesPerMetre; }
};

TEST_F(AlongARoute, OnlyListPointsWithinTheCorridorAreKeptAndTheBasesStayWherever) {
  UserDatabase base;
  Put(base, 0, At(40, 0), "far from the road, the driver's own");
  const std::vector<ListPoint> list{
      Listed(kLatitude + North(1500), 8.5, "1.5 km north"),
      Listed(kLatitude - North(1700), 9.5, "1.7 km south"),  // the arc bows 0.2 km north of the parallel
      Listed(kLatitude + North(2500), 9.0, "2.5 km north"),
      Listed(kLatitude, 10.0 + 1500 * kDegreesPerMetre / std::cos(kLatitude * std::numbers::pi / 180),
             "1.5 km beyond the end"),
      Listed(kLatitude, 7.9, "7 km before the start"),
  };
  MergeOptions options;
  options.along = std::make_shared<const RouteCorridor>(route, 2.0);
  const MergeResult merged = MergePoints(base, list, options);
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(merged.summary.kept, 1u);
  EXPECT_EQ(merged.summary.added, 3u);
  EXPECT_EQ(merged.summary.outside, 2u);
  EXPECT_EQ(NoteText(merged.database.Note(0)), "far from the road, the driver's own");
  EXPECT_EQ(NoteText(merged.database.Note(1)), "1.5 km north");
  EXPECT_EQ(NoteText(merged.database.Note(2)), "1.7 km south");
  EXPECT_EQ(NoteText(merged.database.Note(3)), "1.5 km beyond the end");
}

TEST_F(AlongARoute, FitAlongKeepsTheListPointsNearestTheRouteWhenNotAllFit) {
  UserDatabase base;
  for (std::size_t k = 0; k < 250; ++k) Put(base, k, At(-30, static_cast<double>(k) / 10), "own");
  std::vector<ListPoint> list;
  for (int i = 0; i < 20; ++i) {  // 20 m apart in distance from the road, the nearest last
    list.push_back(Listed(kLatitude + North(1000 - 20.0 * i), 8.1 + 0.05 * i, "at " + std::to_string(1000 - 20 * i)));
  }
  MergeOptions options;
  options.along = std::make_shared<const RouteCorridor>(route, 5.0);
  options.fit = CapacityFit::Along;
  const MergeResult merged = MergePoints(base, list, options);
  ASSERT_TRUE(merged.Ok());
  EXPECT_EQ(merged.summary.kept, 250u);
  EXPECT_EQ(merged.summary.added, 6u);
  EXPECT_EQ(merged.summary.leftOut, 14u);
  std::vector<std::string> added;
  for (std::size_t k = 250; k < kRecordCount; ++k) added.push_back(NoteText(merged.database.Note(k)));
  EXPECT_EQ(added, (std::vector<std::string>{"at 720", "at 700", "at 680", "at 660", "at 640", "at 620"}));
}

}  // namespace
}  // namespace userdb::formats

namespace userdb::formats {
namespace {

TEST(ReplacingAList, ItsPointsInTheBaseGoFirstAndTheNewListFillsTheirRoom) {
  UserDatabase base;
  for (std::size_t k = 0; k < 200; ++k) Put(base, k, At(10 + k * 0.01, 10), k < 50 ? "own" : "old list");
  std::vector<ListPoint> list;
  for (int i = 0; i < 180; ++i) list.push_back(Listed(20 + i * 0.01, 20, "new list"));
  MergeOptions options;
  options.replacing = [](const UserDatabase& database, std::size_t record) {
    return NoteText(database.Note(record)) == "old list";
  };
  const MergeResult merged = MergePoints(base, list, options);
  ASSERT_TRUE(merged.Ok()) << "without the old list's 150, the new list's 180 fit beside the 50";
  EXPECT_EQ(merged.summary.kept, 50u);
  EXPECT_EQ(merged.summary.refreshed, 150u);
  EXPECT_EQ(merged.summary.added, 180u);
  EXPECT_EQ(merged.takenOut.size(), 150u);
  EXPECT_EQ(merged.takenOut.front().record, 50u);
  EXPECT_EQ(merged.takenOut.front().note, "old list");
  for (std::size_t k = 0; k < 50; ++k) EXPECT_EQ(NoteText(merged.database.Note(k)), "own") << k;
  for (std::size_t k = 50; k < 230; ++k) EXPECT_EQ(NoteText(merged.database.Note(k)), "new list") << k;
  EXPECT_TRUE(merged.database.Point(230).IsEmpty());
  EXPECT_EQ(DescribeSummary(merged.summary),
            "Merged: 50 kept, 150 replaced by the new list, 180 added, 0 duplicates, 0 outside the region, 0 left "
            "out for capacity");
}

}  // namespace
}  // namespace userdb::formats
