#include "device/port_scan.h"

#include "device/line_texts.h"
#include "device_fixture.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

class PortScanTest : public DeviceFixture {
 protected:
  // Every port exists; the device answers on devicePort, nothing on the others.
  void Populate(std::optional<int> devicePort) {
    for (int n = 1; n <= 256; ++n) {
      if (n == devicePort) {
        port.Attach(n, device);
      } else {
        port.AddSilentPort(n);
      }
    }
  }

  std::vector<std::uint8_t> AllWritten(int portNumber) const {
    std::vector<std::uint8_t> bytes;
    for (const sim::PortSession& session : port.Sessions()) {
      if (session.portNumber == portNumber) bytes.insert(bytes.end(), session.written.begin(), session.written.end());
    }
    return bytes;
  }
};

TEST(ContainsBannerTest, FindsTheBannerAnywhereBeforeTheFirstZeroByte) {
  std::vector<std::uint8_t> received(line::kDeviceBanner.begin(), line::kDeviceBanner.end());
  EXPECT_TRUE(ContainsBanner(received));
  received.insert(received.begin(), 'x');
  EXPECT_TRUE(ContainsBanner(received));
  received[0] = 0;
  EXPECT_FALSE(ContainsBanner(received));
  EXPECT_FALSE(ContainsBanner(std::span(line::kDeviceBanner).first(21)));
  EXPECT_FALSE(ContainsBanner({}));
}

class PortScanFindsTest : public PortScanTest, public ::testing::WithParamInterface<int> {};

TEST_P(PortScanFindsTest, SelectsThePortWhereTheBannerCameAndConnectsThere) {
  const int devicePort = GetParam();
  Populate(devicePort);
  router.Click(ids::kAutoOpenPort);
  ASSERT_FALSE(window.Boxes().empty());
  EXPECT_EQ(window.Boxes().back(),
            (MessageBoxRequest{BoxOwner::MainWindow, "Auto scan to COM " + std::to_string(devicePort), "API-return",
                               BoxKind::Ok}));
  EXPECT_EQ(window.Boxes().size(), 1u);
  EXPECT_EQ(window.PortSelection(), devicePort - 1);
  EXPECT_EQ(window.TextOf(ids::kSerialNumberLabel), "Serial Number : 20110318");
  EXPECT_FALSE(window.IsEnabled(ids::kAutoOpenPort));
  EXPECT_EQ(port.OpenAttempts().front(), 1);
  EXPECT_FALSE(port.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(FirstAndLastPort, PortScanFindsTest, ::testing::Values(1, 256));

TEST_F(PortScanTest, OnlyListensAndSkipsPortsThatDoNotOpen) {
  Populate(200);
  port.AddHeldPort(7);
  router.Click(ids::kAutoOpenPort);
  EXPECT_EQ(window.PortSelection(), 199);
  for (int n = 1; n < 200; ++n) EXPECT_TRUE(AllWritten(n).empty()) << n;
  EXPECT_EQ(window.Boxes().size(), 1u);  // a held port is skipped without a word
}

TEST_F(PortScanTest, NoDeviceAnywhereTriesEveryPortAndSelectsCom2) {
  Populate(std::nullopt);
  window.SelectPort(100);
  const Instant start = clock.Now();
  router.Click(ids::kAutoOpenPort);
  EXPECT_EQ(port.OpenCount(), 256);
  EXPECT_EQ(port.CloseCount(), 256);
  // One 100 ms read a port that exists, and no more.
  EXPECT_LE(clock.Now() - start, 256 * std::chrono::milliseconds(110));
  EXPECT_EQ(window.PortSelection(), 1);
  EXPECT_EQ(window.Boxes().back(),
            (MessageBoxRequest{BoxOwner::MainWindow, "Don't found device,Please choose com port by yourself",
                               "API-return", BoxKind::Ok}));
}

TEST_F(PortScanTest, NoiseAheadOfTheBannerIsToleratedButAZeroByteHidesIt) {
  Populate(3);
  device.Faults().garbageBefore = sim::PhaseCount{sim::Phase::Banner, 1};
  EXPECT_EQ(FindDevicePort(state.link), 3);
}

TEST_F(PortScanTest, AFoundDeviceThatFailsTheHandshakeLeavesTheScanAvailable) {
  Populate(4);
  device.Faults().wrongAnswer = true;
  router.Click(ids::kAutoOpenPort);
  ASSERT_EQ(window.Boxes().size(), 2u);
  EXPECT_EQ(window.Boxes()[0].text, "Device can not into update mode,please try again");
  EXPECT_EQ(window.Boxes()[1].text, "Auto scan to COM 4");
  EXPECT_TRUE(window.IsEnabled(ids::kAutoOpenPort));

  device.Faults().noBanner = true;  // the device is gone
  router.Click(ids::kAutoOpenPort);
  EXPECT_EQ(window.Boxes().back().text, "Don't found device,Please choose com port by yourself");
  EXPECT_EQ(window.PortSelection(), 1);
}

}  // namespace
}  // namespace userdb
