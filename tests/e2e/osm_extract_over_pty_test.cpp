// An OpenStreetMap extract merged into the device along a route, by the real programs; a damaged
// extract changes nothing.

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

using OsmExtractOverPty = SimOnComPort;

std::string BytesOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// 600 cameras in two rows 11 km apart, written as OPL and turned into PBF by osmium-tool.
void WriteExtract(const std::string& opl, const std::string& pbf) {
  std::ofstream text(opl);
  for (int i = 0; i < 600; ++i) {
    text << "n" << i + 1 << " v1 x" << 13.0 + (i % 300) * 0.003 << " y" << (i < 300 ? 52.5 : 52.6)
         << " Thighway=speed_camera,maxspeed=50,direction=E\n";
  }
  text.close();
  const std::string command = std::string(USERDB_OSMIUM_TOOL) + " cat --no-progress -o '" + pbf + "' '" + opl + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

TEST_F(OsmExtractOverPty, AnExtractIsMergedIntoTheDeviceAlongARouteAndADamagedOneWritesNothing) {
  WriteExtract(InFolder("cams.opl"), InFolder("cams.osm.pbf"));
  std::ofstream(InFolder("trip.gpx")) << "<gpx><trk><trkseg><trkpt lat=\"52.505\" lon=\"12.9\"/>"
                                         "<trkpt lat=\"52.505\" lon=\"14.0\"/></trkseg></trk></gpx>";
  const std::string whole = BytesOf(InFolder("cams.osm.pbf"));
  std::ofstream(InFolder("cut.osm.pbf"), std::ios::binary) << whole.substr(0, whole.size() / 2);
  StartSim(4, {"--save", InFolder("device.bin")});

  Finished cut = Userdb({"--port", "COM4", "merge", "device", InFolder("cut.osm.pbf"), "--along", InFolder("trip.gpx"),
                         "--corridor", "2", "--fit", "along", "--to-device", "--yes"});
  EXPECT_NE(cut.status, 0);
  EXPECT_NE(cut.errors.find(InFolder("cut.osm.pbf") + ": "), std::string::npos) << cut.errors;
  EXPECT_EQ(cut.output.find("Read back"), std::string::npos) << cut.output;

  Finished merged = Userdb({"--port", "COM4", "merge", "device", InFolder("cams.osm.pbf"), "--along",
                            InFolder("trip.gpx"), "--corridor", "2", "--fit", "along", "--to-device", "--yes"});
  ASSERT_EQ(merged.status, 0) << merged.errors;
  // The row at 52.6 lies 10 km off the road; of the row beside it, what fits beside the 32 points.
  EXPECT_NE(merged.output.find("32 kept, 224 added, 0 duplicates, 300 outside the region, 76 left out"),
            std::string::npos)
      << merged.output;
  EXPECT_NE(merged.output.find("Read back and verified"), std::string::npos) << merged.output;
  Finished sources = Userdb({"--port", "COM4", "sources"});
  EXPECT_NE(sources.output.find("224  cams"), std::string::npos) << sources.output;
}

}  // namespace
}  // namespace userdb::test
