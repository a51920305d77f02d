// The damaged line itself: each kind of damage does to the bytes what it says, at the byte it
// names, and a seed always draws the same damage.

#include <gtest/gtest.h>

#include <algorithm>

#include "sim/in_process_port.h"
#include "sim/random_faults.h"
#include "sim/virtual_clock.h"
#include "sim/wire_texts.h"

namespace userdb::sim {
namespace {

using std::chrono::milliseconds;

constexpr int kPort = 1;

class LineDamageTest : public ::testing::Test {
 protected:
  LineDamageTest() : port(clock) {
    port.Attach(kPort, device);
    port.SetLineFaults(&line);
  }

  // The banner as the program reads it through the damaged line.
  std::vector<std::uint8_t> ReadBanner(std::vector<LineEvent> events) {
    line.SetEvents(std::move(events));
    EXPECT_TRUE(port.Open(kPort));
    std::vector<std::uint8_t> received;
    for (;;) {
      std::array<std::uint8_t, 64> buffer{};
      const ReadResult result = port.ReadOnce(buffer);
      received.insert(received.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(result.count));
      lost = result.lineLost;
      if (result.count == 0 || result.lineLost) break;
    }
    return received;
  }

  std::vector<std::uint8_t> Banner() const { return {kBanner.begin(), kBanner.end()}; }

  VirtualClock clock;
  DeviceSimulator device;
  InProcessPort port;
  DamagedLine line;
  bool lost = false;
};

TEST_F(LineDamageTest, DamageToTheProgramHitsTheNamedByte) {
  std::vector<std::uint8_t> expected = Banner();
  expected.erase(expected.begin() + 3);
  EXPECT_EQ(ReadBanner({{LineDirection::ToProgram, LineDamage::Drop, 3}}), expected);
  port.Close();

  expected = Banner();
  expected.insert(expected.begin() + 5, expected[5]);
  EXPECT_EQ(ReadBanner({{LineDirection::ToProgram, LineDamage::Duplicate, 5}}), expected);
  port.Close();

  expected = Banner();
  expected[7] ^= 0x41;
  EXPECT_EQ(ReadBanner({{LineDirection::ToProgram, LineDamage::Corrupt, 7, {}, 0x41}}), expected);
  EXPECT_FALSE(lost);
}

TEST_F(LineDamageTest, AHangUpEndsTheLineBeforeItsByte) {
  const std::vector<std::uint8_t> banner = Banner();
  EXPECT_EQ(ReadBanner({{LineDirection::ToProgram, LineDamage::HangUp, 10}}),
            std::vector<std::uint8_t>(banner.begin(), banner.begin() + 10));
  EXPECT_TRUE(lost);
  EXPECT_TRUE(port.Write(kUpdateRequest).lineLost);
}

TEST_F(LineDamageTest, APauseHoldsBackItsByteAndEveryLaterOne) {
  line.SetEvents({{LineDirection::ToProgram, LineDamage::Pause, 4, milliseconds(150)}});
  ASSERT_TRUE(port.Open(kPort));
  std::array<std::uint8_t, kBanner.size()> buffer{};
  const Instant start = clock.Now();
  EXPECT_EQ(port.ReadOnce(buffer).count, 4u);  // the read's 100 ms end before the pause does
  EXPECT_EQ(port.ReadOnce(std::span(buffer).subspan(4)).count, kBanner.size() - 4);
  EXPECT_EQ(clock.Now() - start, milliseconds(150));
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), kBanner.begin()));
}

TEST_F(LineDamageTest, DamageToTheDeviceChangesWhatItHearsNotWhatThePortTook) {
  line.SetEvents(
      {{LineDirection::ToDevice, LineDamage::Corrupt, 2, {}, 0x01}, {LineDirection::ToDevice, LineDamage::Drop, 4}});
  ASSERT_TRUE(port.Open(kPort));
  EXPECT_EQ(port.Write(kUpdateRequest).count, kUpdateRequest.size());
  EXPECT_EQ(port.Sessions().back().written, std::vector<std::uint8_t>(kUpdateRequest.begin(), kUpdateRequest.end()));
  std::vector<std::uint8_t> heard(kUpdateRequest.begin(), kUpdateRequest.end());
  heard[2] ^= 0x01;
  heard.erase(heard.begin() + 4);
  EXPECT_EQ(device.Conversations().back().received, heard);
  EXPECT_FALSE(device.InUpdateMode());
}

TEST_F(LineDamageTest, AStalledPortTakesNothingUntilTheStallEnds) {
  line.SetEvents({{LineDirection::ToDevice, LineDamage::Pause, 5, milliseconds(250)}});
  ASSERT_TRUE(port.Open(kPort));
  EXPECT_EQ(port.Write(kUpdateRequest).count, 5u);
  const auto rest = std::span(kUpdateRequest).subspan(5);
  EXPECT_EQ(port.Write(rest).count, 0u);
  EXPECT_EQ(port.Write(rest).count, 0u);
  EXPECT_EQ(port.Write(rest).count, 0u);  // 300 ms on: the stall is over
  EXPECT_EQ(port.Write(rest).count, rest.size());
  EXPECT_TRUE(device.InUpdateMode());
}

TEST_F(LineDamageTest, EveryOpenStartsCountingAgain) {
  const std::vector<LineEvent> events = {{LineDirection::ToProgram, LineDamage::Drop, 0}};
  EXPECT_EQ(ReadBanner(events).size(), kBanner.size() - 1);
  port.Close();
  EXPECT_EQ(ReadBanner(events).size(), kBanner.size() - 1);
}

TEST(RandomFaultsTest, TheSameSeedDrawsTheSameDamage) {
  SeededRandom a(42);
  SeededRandom b(42);
  SeededRandom c(43);
  bool differs = false;
  for (int i = 0; i < 50; ++i) {
    const std::vector<LineEvent> drawn = DrawConversationDamage(a);
    EXPECT_EQ(drawn, DrawConversationDamage(b));
    differs = differs || drawn != DrawConversationDamage(c);
  }
  EXPECT_TRUE(differs);
}

TEST(RandomFaultsTest, DamageThatChangesDataGoesOneWayAndNeverFoolsTheChecksum) {
  SeededRandom random(7);
  std::array<int, 5> kinds{};
  for (int i = 0; i < 2000; ++i) {
    const std::vector<LineEvent> events = DrawConversationDamage(random);
    ASSERT_LE(events.size(), static_cast<std::size_t>(kMostEventsPerConversation));
    int corruptToDevice = 0;
    for (const LineEvent& event : events) {
      EXPECT_EQ(event.direction, events.front().direction);
      ++kinds[static_cast<std::size_t>(event.damage)];
      if (event.direction != LineDirection::ToDevice) continue;
      EXPECT_NE(event.damage, LineDamage::Duplicate);
      if (event.damage != LineDamage::Corrupt) continue;
      ++corruptToDevice;
      EXPECT_NE(event.flip, 0);
    }
    EXPECT_LE(corruptToDevice, 1);
  }
  for (int count : kinds) EXPECT_GT(count, 0) << "every kind of damage is drawn";
}

}  // namespace
}  // namespace userdb::sim
