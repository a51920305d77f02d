// The cameras of OpenStreetMap extracts, one hand-written file for each way mappers tag them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/speed_codec.h"
#include "format_fixtures.h"
#include "formats/decimal_degrees.h"
#include "formats/latin1_text.h"
#include "formats/osm_xml.h"

namespace userdb::formats {
namespace {

struct Camera {
  std::string latitude, longitude;
  std::uint16_t speed;
  std::uint16_t direction;
  std::string note;  // UTF-8
  std::string where;

  bool operator==(const Camera&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Camera& camera) {
  return out << camera.latitude << "," << camera.longitude << " speed " << camera.speed << " direction "
             << camera.direction << " \"" << camera.note << "\" at " << camera.where;
}

std::vector<Camera> CamerasOf(const ListRead& read) {
  std::vector<Camera> cameras;
  for (const ListPoint& point : read.points) {
    cameras.push_back({DegreesText(point.point.latitude), DegreesText(point.point.longitude), point.point.speed,
                       point.point.direction, Utf8OfBytes(point.note), point.where});
  }
  return cameras;
}

std::vector<std::string> ChangesOf(const ListRead& read) {
  std::vector<std::string> changes;
  for (const Change& change : read.changes) changes.push_back(DescribeChange("f", change));
  return changes;
}

ListRead ReadFixture(const std::string& name, const ListOptions& options = {}) {
  ListRead read = ReadOsmXml(test::GoldenFile("osm/" + name), options);
  EXPECT_TRUE(read.Ok()) << name << ": " << (read.Ok() ? "" : DescribeProblem(name, read.problems.front()));
  return read;
}

std::uint16_t Kmh(std::uint32_t speed) { return StoredSpeed(speed, kSpeedUnitKilometer); }

TEST(OsmExtract, ANodeTaggedAsACameraIsOnePointAndOtherNodesAndWaysAreNot) {
  const ListRead read = ReadFixture("node-alone.osm");
  EXPECT_EQ(CamerasOf(read), (std::vector<Camera>{{"52.5200000", "13.4000000", Kmh(50), 90, "Hauptstraße", "node 1"}}));
  EXPECT_EQ(ChangesOf(read), std::vector<std::string>{});
}

TEST(OsmExtract, ARelationIsPlacedAtItsDeviceElseAtItsFromNodeAndNamedByItsKind) {
  const ListRead device = ReadFixture("relation-device.osm");
  // Relation 101 enforces traffic signals, no speed.
  EXPECT_EQ(CamerasOf(device), (std::vector<Camera>{{"48.1371000", "11.5754000", Kmh(80), kNoDirection, "speed camera",
                                                     "relation 100, node 10"}}));

  const ListRead fromTo = ReadFixture("relation-from-to.osm");
  EXPECT_EQ(CamerasOf(fromTo), (std::vector<Camera>{{"49.0000000", "11.0000000", Kmh(120), kNoDirection, "A9 section",
                                                     "relation 200, node 20"}}));
  EXPECT_EQ(ChangesOf(fromTo),
            (std::vector<std::string>{"f: relation 201: its device is a way, not a node: left out"}));
}

TEST(OsmExtract, EachDeviceOfARelationIsAPointAndANodeItNamesCountsOnce) {
  const ListRead two = ReadFixture("relation-two-devices.osm");
  EXPECT_EQ(CamerasOf(two),
            (std::vector<Camera>{{"51.0000000", "7.0000000", Kmh(60), kNoDirection, "B1", "relation 300, node 30"},
                                 {"51.0100000", "7.0100000", Kmh(60), kNoDirection, "B1", "relation 300, node 31"}}));

  // The relation's speed goes before the node's; the node keeps its name and direction.
  const ListRead named = ReadFixture("node-named-by-relation.osm");
  EXPECT_EQ(CamerasOf(named),
            (std::vector<Camera>{{"50.1109000", "8.6821000", Kmh(50), 180, "Zeil", "relation 400, node 40"}}));
}

TEST(OsmExtract, SpeedsInMphAndSeveralSpeedsAreConvertedAndWordsAreNoSpeedEachTold) {
  const ListRead read = ReadFixture("mph.osm");
  const std::vector<Camera> cameras = CamerasOf(read);
  ASSERT_EQ(cameras.size(), 4U);
  EXPECT_EQ(cameras[0].speed, StoredSpeed(30, kSpeedUnitMile));
  EXPECT_EQ(cameras[1].speed, Kmh(30));
  EXPECT_EQ(cameras[2].speed, kNoSpeed);
  EXPECT_EQ(cameras[3].speed, kNoSpeed);
  EXPECT_EQ(ChangesOf(read), (std::vector<std::string>{
                                 "f: node 60: maxspeed \"30 mph\": converted to 48 km/h",
                                 "f: node 61: maxspeed \"50;30\": the lowest, 30 km/h, taken",
                                 "f: node 62: maxspeed \"signals\": stored without a speed",
                                 "f: node 63: maxspeed \"none\": stored without a speed",
                             }));
  // On a device that shows mph the mph speed is as typed, and km/h are converted.
  const ListRead mph = ReadFixture("mph.osm", {.type = std::nullopt, .mph = true});
  EXPECT_EQ(ChangesOf(mph).at(0), "f: node 61: maxspeed \"50;30\": the lowest, 30 km/h, converted to 18 mph");
}

TEST(OsmExtract, CompassPointsAreDegreesAndRangesOrBothWaysAreNoDirectionEachTold) {
  const ListRead read = ReadFixture("compass.osm");
  std::vector<std::uint16_t> directions;
  for (const Camera& camera : CamerasOf(read)) directions.push_back(camera.direction);
  EXPECT_EQ(directions, (std::vector<std::uint16_t>{45, 203, kNoDirection, kNoDirection, kNoDirection}));
  EXPECT_EQ(ChangesOf(read), (std::vector<std::string>{
                                 "f: node 70: direction \"NE\": stored as 45 degrees",
                                 "f: node 71: direction \"SSW\": stored as 203 degrees",
                                 "f: node 72: direction \"90-270\": stored as a point without a direction",
                                 "f: node 73: direction \"both\": stored as a point without a direction",
                                 "f: node 74: direction \"forward\": stored as a point without a direction",
                             }));
}

TEST(OsmExtract, AMissingSpeedAndADeviceOutsideTheExtractAreTold) {
  const ListRead read = ReadFixture("missing-speed.osm", {.type = 1, .mph = false});
  EXPECT_EQ(CamerasOf(read),
            (std::vector<Camera>{{"-33.8688000", "151.2093000", kNoSpeed, kNoDirection, "speed camera", "node 80"}}));
  EXPECT_EQ(read.points.at(0).point.type, 1);
  EXPECT_EQ(ChangesOf(read), (std::vector<std::string>{
                                 "f: node 80: no maxspeed: stored without a speed",
                                 "f: relation 800: node 999 is not in the extract: left out",
                             }));
}

TEST(OsmExtract, ANodeListedTwiceIsOnePoint) {
  const std::string camera = "<node id=\"9\" lat=\"1\" lon=\"2\"><tag k=\"highway\" v=\"speed_camera\"/></node>";
  const std::string device = "<node id=\"8\" lat=\"1\" lon=\"3\"/>";
  const std::string relation =
      "<relation id=\"7\"><member type=\"node\" ref=\"8\" role=\"device\"/><tag k=\"type\" v=\"enforcement\"/>"
      "<tag k=\"enforcement\" v=\"maxspeed\"/></relation>";
  const ListRead read = ReadOsmXml("<osm>" + camera + camera + device + device + relation + "</osm>", {});
  EXPECT_EQ(read.points.size(), 2u);
  EXPECT_EQ(ChangesOf(read), (std::vector<std::string>{
                                 "f: node 9: no maxspeed: stored without a speed",
                                 "f: node 9: listed more than once: taken once",
                                 "f: relation 7, node 8: no maxspeed: stored without a speed",
                                 "f: node 8: listed more than once: taken once",
                             }));
}

TEST(OsmExtract, AMalformedFileIsRefusedNamingTheLineAndTheElement) {
  const auto problem = [](const std::string& text) {
    const ListRead read = ReadOsmXml(text, {});
    EXPECT_TRUE(read.points.empty());
    return read.problems.empty() ? std::string("none") : DescribeProblem("f.osm", read.problems.front());
  };
  EXPECT_EQ(problem("<osm>\n<node id=\"5\" lat=\"north\" lon=\"1\"><tag k=\"highway\" v=\"speed_camera\"/></node>\n"
                    "<node id=\"6\" lat=\"north\" lon=\"1\"/></osm>"),
            "f.osm:2: node 5: lat is not a latitude in degrees");
  EXPECT_EQ(problem("<osm>\n<relation id=\"7\"><member type=\"node\" ref=\"x\" role=\"device\"/>"
                    "<tag k=\"type\" v=\"enforcement\"/><tag k=\"enforcement\" v=\"maxspeed\"/></relation></osm>"),
            "f.osm:2: relation 7: a member without a node's ref");
  EXPECT_EQ(problem("<osm>\n<node id=\"5\" lat=\"1\" lon=\"1\">"), "f.osm:2: Start-end tags mismatch");
  EXPECT_EQ(problem("<gpx/>"), "f.osm:1: not an OpenStreetMap file");
  // An element that is not a camera may be anything.
  EXPECT_EQ(problem("<osm><node id=\"zz\" lat=\"x\"/></osm>"), "none");
}

}  // namespace
}  // namespace userdb::formats
