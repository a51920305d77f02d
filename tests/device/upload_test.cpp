#include "device/upload.h"

#include "app/upload_command.h"
#include "device/command_frames.h"
#include "device/line_texts.h"
#include "device_fixture.h"
#include "tests/support/status_log.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

class UploadTest : public DeviceFixture {
 protected:
  UploadTest() {
    Load();
    state.database.SetPoint(5, UserPoint{72902583, 15025000, 32, 90, 1});
    state.database.Note(5)[0] = 'S';
    image = state.database.Image();
  }

  std::vector<std::uint8_t> DeviceImage() const { return {device.Memory().image.begin(), device.Memory().image.end()}; }

  TransferImage image{};
};

TEST(ImageChecksumTest, IsTheExclusiveOrOfEveryByte) {
  TransferImage image;
  image.fill(0xFF);
  EXPECT_EQ(ImageChecksum(image), 0x00);
  EXPECT_EQ(WriteDatabaseFrame(kImageSize, ImageChecksum(image)),
            (CommandFrame{0x56, 0xAB, 0x00, 0x90, 0x00, 0x00, 0x00}));
  image[100] = 0x00;
  EXPECT_EQ(ImageChecksum(image), 0xFF);
  EXPECT_EQ(WriteDatabaseFrame(36864, 0x5A), (CommandFrame{0x56, 0xAB, 0x00, 0x90, 0x00, 0x00, 0x5A}));
}

TEST_F(UploadTest, WritesTheWholeImageAndClosesOnlyAfterTheDeviceConfirmedAndGaveItBack) {
  const int sessions = port.OpenCount();
  router.Click(ids::kExitAndWrite);

  EXPECT_EQ(DeviceImage(), std::vector<std::uint8_t>(image.begin(), image.end()));
  EXPECT_EQ(state.database.Image(), image);
  ASSERT_EQ(port.OpenCount(), sessions + 2);  // the write, then the read-back
  const auto& sessionList = port.Sessions();
  EXPECT_EQ(
      sessionList[sessionList.size() - 2].written,
      Concat(line::kUpdateRequest, WriteDatabaseFrame(kImageSize, ImageChecksum(image)), image, line::kExitMessage));
  EXPECT_EQ(LastWritten(), Concat(line::kUpdateRequest, kReadRecordsFrame, kReadNotesFrame, line::kExitMessage));
  ASSERT_EQ(window.Boxes().size(), 2u);
  EXPECT_EQ(window.Boxes()[0], (MessageBoxRequest{BoxOwner::MainWindow, "Want to write User Database to Device ? ",
                                                  "Info", BoxKind::YesNo}));
  EXPECT_EQ(window.Boxes()[1],
            (MessageBoxRequest{BoxOwner::None, "Update User Database successful", "Info", BoxKind::Ok}));
  EXPECT_EQ(window.TextOf(ids::kStatusBox), "Update User Database successful");
  EXPECT_TRUE(window.IsClosed());
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(UploadTest, TheStatusBoxCountsTheChunksAndClaimsSuccessOnlyAtTheEnd) {
  StatusLog recorder(window);
  ExitAndWrite(state, recorder);

  const auto& statuses = recorder.texts;
  ASSERT_EQ(statuses.size(), 1 + 576 + 1 + 1u);
  EXPECT_EQ(statuses[0], "Load user database from device ....");
  EXPECT_EQ(statuses[1], "Erase Falsh ..... wait please");
  EXPECT_EQ(statuses[2], "Erase Falsh ..... wait please");
  EXPECT_EQ(statuses[3], "Update 2 page");
  EXPECT_EQ(statuses[576], "Update 575 page");
  EXPECT_EQ(statuses[577], "Reading the database back to check the write ....");
  EXPECT_EQ(statuses[578], "Update User Database successful");
}

TEST_F(UploadTest, ADeviceThatConfirmsButStoresAByteWrongKeepsTheWindowAndSaysWhere) {
  Faults().storeWrongByte = 16 * 5 + 8;  // record 5's speed
  router.Click(ids::kExitAndWrite);

  EXPECT_FALSE(window.IsClosed());
  EXPECT_EQ(state.database.Image(), image);  // the edits stay, for another try
  const std::string told = window.Boxes().back().text;
  EXPECT_NE(told.find("gives back other bytes than were sent, first at offset 88 (record 5, byte 8 (speed))"),
            std::string::npos)
      << told;
  EXPECT_EQ(window.TextOf(ids::kStatusBox), told);
  for (const MessageBoxRequest& box : window.Boxes()) EXPECT_NE(box.text, "Update User Database successful");
  EXPECT_TRUE(NoPortOpen());

  Faults() = {};
  router.Click(ids::kExitAndWrite);  // written again, and this time it holds
  EXPECT_TRUE(window.IsClosed());
  EXPECT_EQ(DeviceImage(), std::vector<std::uint8_t>(image.begin(), image.end()));
}

TEST_F(UploadTest, AConfirmedWriteThatCannotBeReadBackIsNoSuccess) {
  Faults().hangUpAfter = sim::PhaseCount{sim::Phase::Notes, 100};
  router.Click(ids::kExitAndWrite);
  EXPECT_FALSE(window.IsClosed());
  EXPECT_NE(window.Boxes().back().text.find("could not be read back"), std::string::npos);
  EXPECT_EQ(DeviceImage(), std::vector<std::uint8_t>(image.begin(), image.end()));
  EXPECT_EQ(state.database.Image(), image);
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(UploadTest, NoWritesNothingAndCloses) {
  window.SetBoxHandler([](const MessageBoxRequest&) { return BoxAnswer::No; });
  const int sessions = port.OpenCount();
  router.Click(ids::kExitAndWrite);
  EXPECT_EQ(port.OpenCount(), sessions);
  EXPECT_TRUE(window.IsClosed());
}

TEST_F(UploadTest, AChecksumErrorKeepsTheWindowAndTheDatabaseForAnotherTry) {
  Faults().checksumError = true;
  const std::vector<std::uint8_t> before = DeviceImage();
  router.Click(ids::kExitAndWrite);

  EXPECT_EQ(window.Boxes().back(),
            (MessageBoxRequest{BoxOwner::None, "Checksum error,please update again ... ", std::nullopt, BoxKind::Ok}));
  EXPECT_EQ(window.TextOf(ids::kStatusBox), "Update User Database failed");
  EXPECT_FALSE(window.IsClosed());
  EXPECT_EQ(state.database.Image(), image);
  EXPECT_EQ(DeviceImage(), before);
  EXPECT_TRUE(NoPortOpen());

  Faults() = {};
  router.Click(ids::kExitAndWrite);  // the user tries again
  EXPECT_TRUE(window.IsClosed());
  EXPECT_EQ(DeviceImage(), std::vector<std::uint8_t>(image.begin(), image.end()));
}

TEST_F(UploadTest, EveryWayTheDeviceFailsEndsWithinItsBoundAndKeepsTheWindow) {
  struct Case {
    const char* name;
    sim::FaultPlan faults;
    bool stallWrites;  // the port stops taking bytes after the tenth chunk
    Duration bound;
  };
  std::vector<Case> cases(4);
  cases[0] = {"no end message", {}, false, kUploadAnswerLimit + std::chrono::seconds(2)};
  cases[0].faults.noUpdateOver = true;
  cases[1] = {"hang-up mid image", {}, false, std::chrono::seconds(1)};
  cases[1].faults.hangUpAfter = sim::PhaseCount{sim::Phase::Upload, 20000};
  cases[2] = {"hang-up before the verdict", {}, false, std::chrono::seconds(2)};
  cases[2].faults.hangUpAfter = sim::PhaseCount{sim::Phase::Verdict, 0};
  cases[3] = {"write stall", {}, true, kWriteStallLimit + std::chrono::milliseconds(500)};

  for (const Case& test : cases) {
    device.Faults() = test.faults;
    port.StallWrites(false);
    StatusLog recorder(window);
    recorder.onStatus = [&](std::size_t count) {
      if (count == 10 && test.stallWrites) port.StallWrites(true);
    };
    const Instant start = clock.Now();
    ExitAndWrite(state, recorder);
    EXPECT_EQ(window.TextOf(ids::kStatusBox), "Update User Database failed") << test.name;
    EXPECT_EQ(window.Boxes().back().text, "Device not responding, please try again") << test.name;
    EXPECT_LT(Elapsed(start), test.bound) << test.name;
    EXPECT_FALSE(window.IsClosed()) << test.name;
    EXPECT_EQ(state.database.Image(), image) << test.name;
    EXPECT_TRUE(NoPortOpen()) << test.name;
  }
}

TEST_F(UploadTest, MessagesAreRecognisedWhereverTheyStartAndHoweverTheyAreSplit) {
  Faults().splitTextsIn = sim::Phase::Verdict;
  Faults().garbageBefore = sim::PhaseCount{sim::Phase::Verdict, 5};
  router.Click(ids::kExitAndWrite);
  EXPECT_EQ(window.Boxes().back().text, "Update User Database successful");
  EXPECT_TRUE(window.IsClosed());
}

}  // namespace
}  // namespace userdb
