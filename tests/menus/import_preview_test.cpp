// What the import dialog shows beside the summary: each change of reading the list once with its
// count, the points added before those left out, the settings of a route and its corridor, and
// the attribution an OpenStreetMap extract asks for.

#include "menus/import_preview.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>

#include "menus/attribution.h"
#include "menus/change_lines.h"
#include "tests/menus/track_gpx.h"

namespace userdb::menus {
namespace {

using formats::CapacityFit;
using formats::Change;
using formats::ListPoint;

constexpr std::string_view kAllDirections = "all directions: stored as a point without a direction";

// North and east only, as stored units.
UserPoint At(double latitude, double longitude) {
  return UserPoint{.longitude = static_cast<std::uint32_t>(longitude * 600000 + 0.5),
                   .latitude = static_cast<std::uint32_t>(latitude * 600000 + 0.5),
                   .speed = 50};
}

TEST(ChangeLines, AChangeMadeOnceKeepsItsOwnLine) {
  const std::vector<Change> changes{{12, 0, std::string(kAllDirections), ""},
                                    {0, 3, "speed of 400 km/h left out", "node 17"}};
  EXPECT_EQ(ChangeLines("f.txt", changes), (std::vector<std::string>{"f.txt:12: " + std::string(kAllDirections),
                                                                     "f.txt: node 17: speed of 400 km/h left out"}));
  EXPECT_TRUE(ChangeLines("f.txt", {}).empty());
}

TEST(ChangeLines, TheSameChangeMadeOftenIsOneLineWithItsCountWhereItWasFirstMade) {
  const std::vector<Change> changes{{2, 0, "note cut to 127 bytes", ""},      {3, 0, std::string(kAllDirections), ""},
                                    {4, 0, "speed of 400 km/h left out", ""}, {5, 0, std::string(kAllDirections), ""},
                                    {0, 9, std::string(kAllDirections), ""},  {7, 0, "note cut to 127 bytes", ""}};
  EXPECT_EQ(ChangeLines("f.txt", changes),
            (std::vector<std::string>{"2 points: note cut to 127 bytes", "3 points: " + std::string(kAllDirections),
                                      "f.txt:4: speed of 400 km/h left out"}));
}

TEST(ImportPreview, ListsThePointsAddedThenThoseLeftOutThenTheChanges) {
  UserDatabase base;
  for (std::size_t k = 0; k < kRecordCount - 2; ++k) base.SetPoint(k, At(40.0, 0.01 * static_cast<double>(k)));
  const std::vector<ListPoint> list{
      {At(50.0, 9.0), "first", 2, 0}, {At(50.1, 9.0), "second", 3, 0}, {At(50.2, 9.0), "third", 4, 0}};
  formats::MergeOptions options;
  options.fit = CapacityFit::First;
  const ImportPreview preview =
      PreviewImport(formats::MergePoints(base, list, options), {"3 points: " + std::string(kAllDirections)});
  EXPECT_TRUE(preview.canImport);
  EXPECT_EQ(preview.summary, "Merged: 254 kept, 2 added, 0 duplicates, 0 outside the region, 1 left out for capacity");
  EXPECT_EQ(preview.details, (std::vector<std::string>{"adds \"first\" at 50.0000000,9.0000000",
                                                       "adds \"second\" at 50.1000000,9.0000000",
                                                       "left out for capacity: \"third\" at 50.2000000,9.0000000",
                                                       "3 points: " + std::string(kAllDirections)}));
}

TEST(ImportPreview, AnImportThatDoesNotFitListsNoPointsOnlyTheChanges) {
  UserDatabase base;
  for (std::size_t k = 0; k < kRecordCount; ++k) base.SetPoint(k, At(40.0, 0.01 * static_cast<double>(k)));
  const std::vector<ListPoint> list{{At(50.0, 9.0), "one", 2, 0}};
  const ImportPreview preview = PreviewImport(formats::MergePoints(base, list, {}), {"f.txt:2: changed"});
  EXPECT_FALSE(preview.canImport);
  EXPECT_EQ(preview.details, std::vector<std::string>{"f.txt:2: changed"});
}

TEST(Attribution, AnOpenStreetMapExtractNamesItsSourceAndNoOtherFileDoes) {
  const std::string notice = AttributionOf("/maps/berlin-latest.osm.pbf");
  EXPECT_EQ(notice,
            "Points from OpenStreetMap are © OpenStreetMap contributors, under the ODbL "
            "(openstreetmap.org/copyright). Extracts: download.geofabrik.de");
  EXPECT_EQ(AttributionOf("C:\\maps\\Berlin.OSM"), notice);
  for (const char* other : {"cams.txt", "points.gpx", "osm.csv", "berlin.pbf", "extract"}) {
    EXPECT_EQ(AttributionOf(other), "") << other;
  }
}

// Settings of the import dialog measured against route files of the test's own.
class RouteSettings : public testing::Test {
 protected:
  RouteSettings()
      : folder(std::filesystem::temp_directory_path() /
               ("userdb-route-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::create_directories(folder);
  }
  ~RouteSettings() override { std::filesystem::remove_all(folder); }

  std::string Write(const std::string& name, const std::string& contents) const {
    std::ofstream(folder / name, std::ios::binary) << contents;
    return (folder / name).string();
  }
  MergeChoice Choose(ImportSettings settings) { return MergeOptionsOf(settings, nullptr, route); }
  std::string Problem(ImportSettings settings) { return Choose(std::move(settings)).problem; }

  std::filesystem::path folder;
  LoadedRoute route;
};

// From 48.0,9.0 a kilometre of latitude is 0.009 degrees north, and one of longitude 0.0134 east.
TEST_F(RouteSettings, TheCorridorAlongTheRouteFileMeasuresFromItsTrack) {
  const std::string file = Write("drive.gpx", test::TrackGpx({{48.0, 9.0}, {48.5, 9.0}}));
  const MergeChoice choice = Choose({.fit = CapacityFit::Along, .route = file, .corridorKm = "2"});
  ASSERT_TRUE(choice.options) << choice.problem;
  EXPECT_EQ(choice.options->fit, CapacityFit::Along);
  const formats::RouteCorridor& corridor = *choice.options->along;
  EXPECT_DOUBLE_EQ(corridor.WidthKm(), 2);
  EXPECT_NEAR(corridor.DistanceWithin({48.2, 9.0134}).value_or(-1), 1000, 10);
  EXPECT_FALSE(corridor.DistanceWithin({48.2, 9.0402}));  // 3 km east
  EXPECT_FALSE(corridor.DistanceWithin({48.55, 9.0}));    // past the end
}

TEST_F(RouteSettings, ARouteOrACorridorGivenWrongOrAloneSaysWhatToGive) {
  const std::string file = Write("drive.gpx", test::TrackGpx({{48.0, 9.0}, {48.5, 9.0}}));
  const std::string giveCorridor = "Corridor: give a number of kilometres either side of the route, such as 2";
  const std::string giveRoute = "A corridor and \"Keep those nearest the route\" measure from a Route file";
  EXPECT_EQ(Problem({.route = file, .corridorKm = "two"}), giveCorridor);
  EXPECT_EQ(Problem({.route = file, .corridorKm = "-1"}), giveCorridor);
  EXPECT_EQ(Problem({.route = file}), giveCorridor);
  EXPECT_EQ(Problem({.corridorKm = "2"}), giveRoute);
  EXPECT_EQ(Problem({.fit = CapacityFit::Along}), giveRoute);
  EXPECT_EQ(Problem({.corridorKm = "x"}), giveCorridor);

  const std::string missing = (folder / "missing.gpx").string();
  EXPECT_EQ(Problem({.route = missing, .corridorKm = "2"}).rfind("cannot read " + missing + ": ", 0), 0u);
  const std::string points = Write("points.gpx", R"(<gpx version="1.1"><wpt lat="48" lon="9"/></gpx>)");
  EXPECT_EQ(Problem({.route = points, .corridorKm = "2"}), points + ": no route, track or LineString in it");

  const MergeChoice plain = Choose({});
  ASSERT_TRUE(plain.options);
  EXPECT_FALSE(plain.options->along) << "no route, no corridor";
}

TEST_F(RouteSettings, TheRouteIsReadOnceWhileItsFileNameStaysAndAgainForAnother) {
  const std::string file = Write("drive.gpx", test::TrackGpx({{48.0, 9.0}, {48.5, 9.0}}));
  const MergeChoice first = Choose({.route = file, .corridorKm = "2"});
  ASSERT_TRUE(first.options) << first.problem;
  std::filesystem::remove(file);

  const MergeChoice again = Choose({.near = "48.0,9.0", .route = file, .corridorKm = "2"});
  ASSERT_TRUE(again.options) << again.problem;
  EXPECT_EQ(again.options->along, first.options->along) << "the same corridor, not one made anew";
  const MergeChoice wider = Choose({.route = file, .corridorKm = "4"});
  ASSERT_TRUE(wider.options) << wider.problem;
  EXPECT_DOUBLE_EQ(wider.options->along->WidthKm(), 4);
  EXPECT_TRUE(wider.options->along->DistanceWithin({48.2, 9.0402}));

  const std::string other = Write("other.gpx", test::TrackGpx({{50.0, 10.0}, {50.5, 10.0}}));
  const MergeChoice moved = Choose({.route = other, .corridorKm = "4"});
  ASSERT_TRUE(moved.options) << moved.problem;
  EXPECT_TRUE(moved.options->along->DistanceWithin({50.2, 10.0}));
  EXPECT_FALSE(moved.options->along->DistanceWithin({48.2, 9.0}));
}

}  // namespace
}  // namespace userdb::menus
