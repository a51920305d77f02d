#include "platform/posix/port_listing.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/posix/ports_folder.h"
#include "pty_pair.h"
#include "scoped_ports_folder.h"

namespace userdb::posix {
namespace {

class PortPathTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(ports_.Folder().empty()); }

  test::ScopedPortsFolder ports_;
};

TEST_F(PortPathTest, FixedTableCoversFourRangesOf32) {
  EXPECT_EQ(PortPath(1), "/dev/ttyS0");
  EXPECT_EQ(PortPath(32), "/dev/ttyS31");
  EXPECT_EQ(PortPath(33), "/dev/ttyUSB0");
  EXPECT_EQ(PortPath(64), "/dev/ttyUSB31");
  EXPECT_EQ(PortPath(65), "/dev/ttyACM0");
  EXPECT_EQ(PortPath(96), "/dev/ttyACM31");
  EXPECT_EQ(PortPath(97), "/dev/rfcomm0");
  EXPECT_EQ(PortPath(128), "/dev/rfcomm31");
  EXPECT_EQ(PortPath(129), std::nullopt);
  EXPECT_EQ(PortPath(256), std::nullopt);
}

TEST_F(PortPathTest, PortsFolderEntryWinsAndReachesBeyondTheTable) {
  ports_.Map(1, "/dev/null");
  ports_.Map(129, "/dev/null");
  ports_.Map(256, "/dev/null");
  EXPECT_EQ(PortPath(1), ports_.Folder() / "com1");
  EXPECT_EQ(PortPath(129), ports_.Folder() / "com129");
  EXPECT_EQ(PortPath(256), ports_.Folder() / "com256");
  EXPECT_EQ(PortPath(2), "/dev/ttyS1");
}

TEST_F(PortPathTest, NumbersOutsideTheRangeNameNothingEvenWhenMapped) {
  ports_.Map(0, "/dev/null");
  ports_.Map(257, "/dev/null");
  EXPECT_EQ(PortPath(0), std::nullopt);
  EXPECT_EQ(PortPath(257), std::nullopt);
  EXPECT_EQ(PortPath(-1), std::nullopt);
}

bool Lists(const std::vector<ListedPort>& ports, int portNumber) {
  return std::any_of(ports.begin(), ports.end(),
                     [portNumber](const ListedPort& port) { return port.portNumber == portNumber; });
}

TEST_F(PortPathTest, ListingHoldsOnlyPortsThatLeadToADevice) {
  test::PtyPair pty;
  ASSERT_TRUE(pty.Create());
  ports_.Map(130, pty.SlavePath());
  ports_.Map(131, ports_.Folder() / "unplugged");
  const std::filesystem::path plainFile = ports_.Folder() / "plain-file";
  std::ofstream(plainFile) << "x";
  ports_.Map(132, plainFile);

  const std::vector<ListedPort> ports = ListPorts();

  const auto mapped =
      std::find_if(ports.begin(), ports.end(), [](const ListedPort& port) { return port.portNumber == 130; });
  ASSERT_NE(mapped, ports.end());
  EXPECT_EQ(mapped->devicePath, ports_.Folder() / "com130");
  EXPECT_FALSE(Lists(ports, 131));
  EXPECT_FALSE(Lists(ports, 132));
  EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(),
                             [](const ListedPort& a, const ListedPort& b) { return a.portNumber < b.portNumber; }));
}

}  // namespace
}  // namespace userdb::posix
