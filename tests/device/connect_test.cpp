#include "device/device_information.h"

#include "app/connect_command.h"
#include "app/device_labels.h"
#include "device/command_frames.h"
#include "device/line_texts.h"
#include "device/update_mode.h"
#include "device_fixture.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

using ConnectTest = DeviceFixture;

const std::vector<std::string> kTemplateLabels{
    "Serial Number :", "Database Version :", "Firmware Version :", "Hardware Version :"};

std::vector<std::string> Labels(const HeadlessWindow& window) {
  return {window.TextOf(ids::kSerialNumberLabel), window.TextOf(ids::kDatabaseVersionLabel),
          window.TextOf(ids::kFirmwareVersionLabel), window.TextOf(ids::kHardwareVersionLabel)};
}

TEST(VersionTextTest, MajorInTheHighFiveBitsMinorInTheLowThree) {
  EXPECT_EQ(VersionText(0x0A), "1.2");
  EXPECT_EQ(VersionText(0x4F), "9.7");
  EXPECT_EQ(VersionText(0x50), "10.0");
  EXPECT_EQ(VersionText(0x52), "10.2");
  EXPECT_EQ(VersionText(0x00), "0.0");
  EXPECT_EQ(VersionText(0xFE), "31.6");
}

TEST_F(ConnectTest, ShowsTheDeviceIdentityAndFixesThePortChoice) {
  auto& info = device.Memory().info;
  info[1] = 0x4F;
  info[2] = 0x50;
  const std::uint8_t serial[] = {0x78, 0x56, 0x34, 0x12};
  std::copy(std::begin(serial), std::end(serial), info.begin() + 4);
  device.Memory().version.fill('V');  // no zero byte: all sixteen characters show

  router.Click(ids::kOpenPort);

  EXPECT_EQ(Labels(window), (std::vector<std::string>{"Serial Number : 305419896", "Database Version :VVVVVVVVVVVVVVVV",
                                                      "Firmware Version : 9.7", "Hardware Version : 10.0"}));
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(window.TextOf(ids::kStatusBox), "Load user database from device ....");
  for (int id : {ids::kPortList, ids::kOpenPort, ids::kAutoOpenPort}) EXPECT_FALSE(window.IsEnabled(id));
  EXPECT_TRUE(window.IsEnabled(ids::kLoadDatabase));
  EXPECT_EQ(LastWritten(), Concat(line::kUpdateRequest, kReadDeviceInfoFrame, line::kExitMessage));
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(ConnectTest, AnInfoBlockWithFFInItsFirstFourBytesShowsNothingButTheDatabaseVersion) {
  for (std::size_t byte : {0u, 3u}) {
    Faults().infoBytesFF.reset();
    Faults().infoBytesFF.set(byte);
    ConnectCommand(state, window);
    EXPECT_EQ(Labels(window)[0], kTemplateLabels[0]) << byte;
    EXPECT_EQ(Labels(window)[2], kTemplateLabels[2]) << byte;
    EXPECT_EQ(Labels(window)[1], "Database Version :DB20110318");
    EXPECT_FALSE(window.IsEnabled(ids::kOpenPort));  // the handshake itself succeeded
  }
}

TEST_F(ConnectTest, AFailedHandshakeSaysSoSendsTheExitMessageAndChangesNoControl) {
  for (auto fault : {&sim::FaultPlan::wrongAnswer, &sim::FaultPlan::answerWithoutZero, &sim::FaultPlan::silent}) {
    device.Faults() = {};
    device.Faults().*fault = true;
    const std::size_t boxes = window.Boxes().size();
    router.Click(ids::kOpenPort);

    ASSERT_EQ(window.Boxes().size(), boxes + 1);
    const MessageBoxRequest expected{BoxOwner::None, "Device can not into update mode,please try again", "Info",
                                     BoxKind::Ok};
    EXPECT_EQ(window.Boxes().back(), expected);
    EXPECT_EQ(LastWritten(), Concat(line::kUpdateRequest, line::kExitMessage));
    EXPECT_TRUE(window.IsEnabled(ids::kOpenPort));
    EXPECT_FALSE(window.IsEnabled(ids::kLoadDatabase));
    EXPECT_EQ(Labels(window), kTemplateLabels);
    EXPECT_TRUE(NoPortOpen());
  }
}

TEST_F(ConnectTest, APortThatCannotBeOpenedIsNamedByItsNumber) {
  window.SelectPort(254);  // COM255: nothing there
  router.Click(ids::kOpenPort);
  ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Can not Open COM255"});
  EXPECT_FALSE(window.Boxes()[0].caption.has_value());
  EXPECT_EQ(window.Boxes()[0].owner, BoxOwner::None);

  window.SelectPort(-1);  // nothing selected: port 0 is tried
  router.Click(ids::kOpenPort);
  EXPECT_EQ(BoxTexts().back(), "Can not Open COM0");
  EXPECT_EQ(port.OpenCount(), 0);
}

TEST_F(ConnectTest, ADeviceThatNeverEndsTheInformationIsGivenUpOnAfterThreeSeconds) {
  Faults().noUpdateOver = true;
  const Instant start = clock.Now();
  router.Click(ids::kOpenPort);

  EXPECT_GE(Elapsed(start), kUpdateOverLimit);
  EXPECT_LT(Elapsed(start), kUpdateOverLimit + std::chrono::milliseconds(500));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Device not responding, please try again"});
  EXPECT_EQ(window.TextOf(ids::kFirmwareVersionLabel), "Firmware Version : 3.2");  // what came is shown
  EXPECT_EQ(std::vector<std::uint8_t>(LastWritten().end() - 11, LastWritten().end()), Concat(line::kExitMessage));
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(ConnectTest, AHangUpDuringTheInformationEndsTheConversationAtOnce) {
  Faults().hangUpAfter = sim::PhaseCount{sim::Phase::Info, 30};
  const Instant start = clock.Now();
  router.Click(ids::kOpenPort);

  EXPECT_LT(Elapsed(start), std::chrono::milliseconds(400));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Device not responding, please try again"});
  EXPECT_EQ(Labels(window), kTemplateLabels);  // a block cut short counts as none
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(ConnectTest, TheEndMessageIsFoundAfterNoiseAndWhenSplitOverTwoReads) {
  Faults().splitTextsIn = sim::Phase::Info;
  router.Click(ids::kOpenPort);
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(window.TextOf(ids::kSerialNumberLabel), "Serial Number : 20110318");
}

}  // namespace
}  // namespace userdb
