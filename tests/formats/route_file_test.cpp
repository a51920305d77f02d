#include "formats/route_file.h"

#include <gtest/gtest.h>

namespace userdb::formats {
namespace {

std::vector<std::size_t> LineLengths(const Route& route) {
  std::vector<std::size_t> lengths;
  for (const auto& line : route.lines) lengths.push_back(line.size());
  return lengths;
}

TEST(RouteFile, AGpxFilesRoutesAndEachTrackSegmentAreLinesOfTheirOwn) {
  const RouteReadResult read = ReadRoute(R"(<?xml version="1.0"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
  <wpt lat="1" lon="1"><name>not part of a route</name></wpt>
  <rte><rtept lat="52.5" lon="13.4"/><rtept lat="52.6" lon="13.5"/></rte>
  <trk><trkseg><trkpt lat="48.1" lon="11.5"/><trkpt lat="48.2" lon="11.6"/><trkpt lat="48.3" lon="11.7"/></trkseg>
       <trkseg><trkpt lat="-33.9" lon="-151.2"/></trkseg></trk>
</gpx>)");
  ASSERT_TRUE(read.Ok()) << read.problem->message;
  EXPECT_EQ(LineLengths(read.route), (std::vector<std::size_t>{2, 3, 1}));
  EXPECT_DOUBLE_EQ(read.route.lines[1][2].latitude, 48.3);
  EXPECT_DOUBLE_EQ(read.route.lines[2][0].longitude, -151.2);
}

TEST(RouteFile, AKmlFilesLineStringsAreFoundWhereverTheyAreNested) {
  const RouteReadResult read = ReadRoute(R"(<kml xmlns="http://www.opengis.net/kml/2.2"><Document><Folder>
  <Placemark><Point><coordinates>1,1</coordinates></Point></Placemark>
  <Placemark><MultiGeometry>
    <LineString><coordinates>13.4,52.5,34 13.5,52.6,35
       13.6,52.7</coordinates></LineString>
    <LineString><coordinates> -0.1,51.5 </coordinates></LineString>
  </MultiGeometry></Placemark></Folder></Document></kml>)");
  ASSERT_TRUE(read.Ok()) << read.problem->message;
  EXPECT_EQ(LineLengths(read.route), (std::vector<std::size_t>{3, 1}));
  EXPECT_DOUBLE_EQ(read.route.lines[0][2].latitude, 52.7);
  EXPECT_DOUBLE_EQ(read.route.lines[1][0].longitude, -0.1);
}

TEST(RouteFile, WhatIsNotARouteIsRefusedByItsLine) {
  struct Case {
    std::string text;
    int line;
    std::string says;
  };
  const std::vector<Case> cases{
      {"<gpx>\n<rte><rtept lat=\"52\" lon=\"13\"/>\n<rtept lat=\"95\" lon=\"13\"/></rte></gpx>", 3, "rtept"},
      {"<gpx>\n<trk><trkseg><trkpt lat=\"x\" lon=\"13\"/></trkseg></trk></gpx>", 2, "trkpt"},
      {"<kml>\n<LineString><coordinates>13,52 13;52</coordinates></LineString></kml>", 2, "13;52"},
      {"<kml><LineString>\n<coordinates>200,52</coordinates></LineString></kml>", 2, "200,52"},
      {"<gpx><wpt lat=\"1\" lon=\"1\"/></gpx>", 0, "no route, track or LineString"},
      {"<osm/>", 1, "neither a GPX nor a KML file"},
      {"<gpx>\n<rte>", 2, ""},
      {"", 1, ""},
  };
  for (const Case& test : cases) {
    const RouteReadResult read = ReadRoute(test.text);
    ASSERT_FALSE(read.Ok()) << test.text;
    EXPECT_EQ(read.problem->line, test.line) << test.text;
    EXPECT_NE(read.problem->message.find(test.says), std::string::npos) << read.problem->message;
  }
}

}  // namespace
}  // namespace userdb::formats
