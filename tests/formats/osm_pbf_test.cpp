// PBF extracts give the same cameras as the XML they were made from, and a damaged one is
// refused with the place it broke.

#include "formats/osm_pbf.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "format_fixtures.h"
#include "formats/osm_xml.h"

namespace userdb::formats {
namespace {

namespace fs = std::filesystem;

const char* const kFixtures[] = {"node-alone.osm",
                                 "relation-device.osm",
                                 "relation-from-to.osm",
                                 "relation-two-devices.osm",
                                 "node-named-by-relation.osm",
                                 "mph.osm",
                                 "compass.osm",
                                 "missing-speed.osm"};

class OsmPbfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("userdb-osm-pbf-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // The twin that osmium-tool writes of a fixture.
  fs::path PbfOf(const std::string& fixture) {
    const fs::path pbf = folder_ / (fixture + ".pbf");
    const std::string command = std::string(USERDB_OSMIUM_TOOL) + " cat --no-progress --overwrite -o '" + pbf.string() +
                                "' '" + USERDB_TEST_DATA + "/osm/" + fixture + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return pbf;
  }

  fs::path folder_;
};

std::string Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void ExpectSameList(const ListRead& pbf, const ListRead& xml) {
  ASSERT_TRUE(pbf.Ok()) << DescribeProblem("pbf", pbf.problems.front());
  ASSERT_EQ(pbf.points.size(), xml.points.size());
  for (std::size_t k = 0; k < pbf.points.size(); ++k) {
    EXPECT_EQ(pbf.points[k].point, xml.points[k].point) << xml.points[k].where;
    EXPECT_EQ(pbf.points[k].note, xml.points[k].note) << xml.points[k].where;
    EXPECT_EQ(pbf.points[k].where, xml.points[k].where);
  }
  ASSERT_EQ(pbf.changes.size(), xml.changes.size());
  for (std::size_t k = 0; k < pbf.changes.size(); ++k) {
    EXPECT_EQ(DescribeChange("f", pbf.changes[k]), DescribeChange("f", xml.changes[k]));
  }
}

TEST_F(OsmPbfTest, EveryFixtureGivesTheSamePointsAndChangesAsItsXml) {
  for (const char* fixture : kFixtures) {
    SCOPED_TRACE(fixture);
    const ListRead xml = ReadOsmXml(test::GoldenFile(std::string("osm/") + fixture), {});
    ASSERT_TRUE(xml.Ok());
    const fs::path pbf = PbfOf(fixture);
    ExpectSameList(ReadOsmPbfFile(pbf, {}), xml);
    ExpectSameList(ReadOsmPbf(Bytes(pbf), {}), xml);
  }
}

TEST_F(OsmPbfTest, ADamagedExtractIsRefusedNamingWhereItBroke) {
  const std::string whole = Bytes(PbfOf("compass.osm"));
  for (const std::size_t kept : {std::size_t{0}, std::size_t{10}, whole.size() / 2, whole.size() - 3}) {
    const ListRead read = ReadOsmPbf(std::string_view(whole).substr(0, kept), {});
    ASSERT_FALSE(read.Ok()) << kept;
    EXPECT_TRUE(read.points.empty());
    const FileProblem& problem = read.problems.front();
    EXPECT_TRUE(problem.field == "at the start" || problem.field.starts_with("after ")) << problem.field;
    EXPECT_FALSE(problem.message.empty());
  }
  const ListRead noise = ReadOsmPbf(std::string(4096, '\x55'), {});
  ASSERT_FALSE(noise.Ok());
  EXPECT_EQ(noise.problems.front().field, "at the start");
}

}  // namespace
}  // namespace userdb::formats
