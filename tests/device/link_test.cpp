// Links that are not simply there: a Bluetooth link that is still connecting when the port
// opens, a port that does not open, a handshake tried again.

#include <gtest/gtest.h>

#include "device/device_information.h"
#include "device/line_texts.h"
#include "device/serial_channel.h"
#include "device/update_mode.h"
#include "device_fixture.h"
#include "recording_seat.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

using LinkTest = DeviceFixture;

TEST_F(LinkTest, ALinkThatConnectsAfterTwoSecondsIsWaitedForAndTheFirstConnectSucceeds) {
  port.SetLinkDelay(seconds(2));
  const Instant start = clock.Now();
  router.Click(ids::kOpenPort);
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(window.TextOf(ids::kSerialNumberLabel), "Serial Number : 20110318");
  EXPECT_GE(Elapsed(start), seconds(2));
  EXPECT_LT(Elapsed(start), seconds(3));
  // The device heard only what came once the link was up: the request, not lost.
  EXPECT_EQ(device.Conversations().back().received,
            Concat(line::kUpdateRequest, std::array<std::uint8_t, 7>{0x5B, 0xB0, 0, 0, 0, 0, 0}, line::kExitMessage));
}

TEST_F(LinkTest, ALinkThatNeverConnectsEndsAfterTenSecondsWithTheWindowsWords) {
  port.SetLinkDelay(seconds(60));
  const Instant start = clock.Now();
  router.Click(ids::kOpenPort);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Can not Open COM2"});
  EXPECT_GE(Elapsed(start), kLinkConnectLimit);
  EXPECT_LT(Elapsed(start), kLinkConnectLimit + kReadLimit);
  EXPECT_TRUE(NoPortOpen());
  EXPECT_TRUE(window.IsEnabled(ids::kOpenPort));  // the user may try again
}

TEST_F(LinkTest, TheSeatIsToldTheWaitAndTheReason) {
  RecordingSeat seat;
  port.SetLinkDelay(seconds(60));
  EXPECT_EQ(Connect(state.link, kDevicePort, seat).outcome, ConnectOutcome::NotConnected);
  EXPECT_EQ(seat.waits, std::vector<int>{2});
  ASSERT_EQ(seat.failures.size(), 1u);
  EXPECT_EQ(seat.failures[0].portNumber, 2);
  EXPECT_EQ(seat.failures[0].result.status, OpenStatus::NotConnected);

  port.SetLinkDelay(std::nullopt);
  port.AddHeldPort(2);
  EXPECT_EQ(Connect(state.link, kDevicePort, seat).outcome, ConnectOutcome::NotConnected);
  ASSERT_EQ(seat.failures.size(), 2u);
  EXPECT_EQ(seat.failures[1].result.status, OpenStatus::Busy);
  EXPECT_EQ(seat.waits.size(), 1u);  // a link that is up is not waited for
  EXPECT_EQ(seat.noUpdateMode, 0);   // no handshake without a port
}

TEST_F(LinkTest, AFailedHandshakeIsTriedAgainWithThePortClosedInBetween) {
  RecordingSeat seat;
  state.link.handshakeTries = 3;
  // The answer comes so late on the first try that the handshake gives up; then it is prompt.
  Faults().lulls = {{sim::Phase::Handshake, 0, kLullLimit + kReadLimit + milliseconds(100), true}};
  EXPECT_EQ(Connect(state.link, kDevicePort, seat).outcome, ConnectOutcome::Answered);
  EXPECT_EQ(seat.handshakes, 1);
  EXPECT_EQ(seat.noUpdateMode, 0);
  EXPECT_EQ(seat.retries, (std::vector<std::pair<int, int>>{{1, 3}}));
  ASSERT_EQ(port.Sessions().size(), 2u);
  EXPECT_TRUE(port.Sessions()[0].closed);
  EXPECT_EQ(port.Sessions()[0].written, Concat(line::kUpdateRequest, line::kExitMessage));
}

TEST_F(LinkTest, EveryTryFailingEndsWithOneBoxAfterTheLast) {
  state.link.handshakeTries = 3;
  Faults().wrongAnswer = true;
  const Instant start = clock.Now();
  router.Click(ids::kOpenPort);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Device can not into update mode,please try again"});
  EXPECT_EQ(port.OpenCount(), 3);
  EXPECT_TRUE(NoPortOpen());
  EXPECT_GE(Elapsed(start), 2 * kHandshakeRetryPause);
}

TEST_F(LinkTest, TheWindowTriesOnceAClick) {
  Faults().wrongAnswer = true;
  router.Click(ids::kOpenPort);
  EXPECT_EQ(port.OpenCount(), 1);
}

}  // namespace
}  // namespace userdb
