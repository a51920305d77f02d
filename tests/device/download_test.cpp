#include "device/download.h"

#include "app/download_command.h"
#include "device/command_frames.h"
#include "device/line_texts.h"
#include "device/serial_channel.h"
#include "device_fixture.h"
#include "sim/sample_memory.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

class DownloadTest : public DeviceFixture {
 protected:
  DownloadTest() { router.Click(ids::kOpenPort); }

  TransferImage DeviceImage() const {
    TransferImage image{};
    std::copy(device.Memory().image.begin(), device.Memory().image.end(), image.begin());
    return image;
  }

  // What the window and database hold, to show that a failed download changed none of it.
  struct Snapshot {
    TransferImage image;
    std::uint8_t unit;
    std::uint16_t page;
    std::string pageLabel;
    std::string firstLongitude;
    bool nextEnabled;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    return {state.database.Image(),
            state.database.speedUnit,
            state.page.current,
            window.TextOf(ids::kPageLabel),
            window.TextOf(ids::LongitudeField(0, ids::CoordinatePart::Degrees)),
            window.IsEnabled(ids::kNextPage)};
  }
};

TEST_F(DownloadTest, TakesTheWholeDatabaseAndShowsPageZero) {
  device.Memory().unit = kSpeedUnitMile;
  state.page.current = 3;
  router.Click(ids::kLoadDatabase);

  EXPECT_EQ(state.database.Image(), DeviceImage());
  EXPECT_EQ(state.database.speedUnit, kSpeedUnitMile);
  EXPECT_EQ(window.TextOf(ids::kUnitLabel), "mile");
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
  EXPECT_TRUE(state.loaded);
  EXPECT_EQ(state.page.current, 0);
  EXPECT_FALSE(window.TextOf(ids::LongitudeField(0, ids::CoordinatePart::Degrees)).empty());
  for (int id : {ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kExitAndWrite}) {
    EXPECT_TRUE(window.IsEnabled(id)) << id;
  }
  EXPECT_EQ(window.TextOf(ids::kStatusBox), "Load user database from device ....");
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(LastWritten(), Concat(line::kUpdateRequest, kReadRecordsFrame, kReadNotesFrame, line::kExitMessage));
  EXPECT_TRUE(NoPortOpen());
}

TEST_F(DownloadTest, AByteInsertedOnTheLineIsCaughtByWhatComesAfterTheLastNote) {
  Faults().garbageBefore = sim::PhaseCount{sim::Phase::Records, 1};
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"User database download failed, please try again"});
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
  EXPECT_FALSE(state.loaded);
}

TEST_F(DownloadTest, AFullDatabaseWaitsOnlyForTheEndOfTheStream) {
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    std::fill(device.Memory().Point(k).begin(), device.Memory().Point(k).begin() + 13, 0x01);
    std::fill(device.Memory().Note(k).begin(), device.Memory().Note(k).end(), 'n');
  }
  const Instant start = clock.Now();
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(state.database.Image(), DeviceImage());
  // Only the read that proves the stream over waits its 100 ms: the blocks arrive at once here.
  EXPECT_LT(Elapsed(start), std::chrono::milliseconds(150));
  EXPECT_EQ(state.page.lastReachable, 1);
}

TEST_F(DownloadTest, AListThatEndsAtARecordBoundaryIsANormalEnd) {
  Faults().stopAfterRecords = 40;
  router.Click(ids::kLoadDatabase);
  EXPECT_TRUE(window.Boxes().empty());
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    EXPECT_EQ(state.database.Point(k).IsEmpty(), k >= 40 || k >= sim::SamplePointCount()) << k;
  }
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
}

TEST_F(DownloadTest, AnythingShortOfWholeBlocksLeavesEverythingAsItWas) {
  router.Click(ids::kLoadDatabase);
  state.database.Note(0)[0] = 'X';  // the user's unsaved work must survive failures
  router.Click(ids::kNextPage);
  const Snapshot before = Take();

  const std::vector<sim::FaultPlan> faults = [] {
    std::vector<sim::FaultPlan> plans(5);
    // Silence inside a block longer than any lull of a radio link.
    plans[0].stallInRecord = 3;
    plans[0].pause = kLullLimit + kReadLimit + std::chrono::milliseconds(100);
    plans[1].stallInNote = 7;
    plans[1].pause = kLullLimit + kReadLimit + std::chrono::milliseconds(100);
    plans[2].hangUpAfter = sim::PhaseCount{sim::Phase::Records, 100};
    plans[3].hangUpAfter = sim::PhaseCount{sim::Phase::Notes, 4000};
    plans[4].hangUpAfter = sim::PhaseCount{sim::Phase::Handshake, 10};  // after the answer
    return plans;
  }();
  for (std::size_t i = 0; i < faults.size(); ++i) {
    device.Faults() = faults[i];
    const std::size_t boxes = window.Boxes().size();
    router.Click(ids::kLoadDatabase);
    ASSERT_EQ(window.Boxes().size(), boxes + 1) << i;
    const MessageBoxRequest expected{BoxOwner::None, "User database download failed, please try again", "Info",
                                     BoxKind::Ok};
    EXPECT_EQ(window.Boxes().back(), expected) << i;
    EXPECT_EQ(Take(), before) << i;
    EXPECT_TRUE(NoPortOpen()) << i;
  }
}

TEST_F(DownloadTest, NoAnswerAfterTheHandshakeIsAFailureNotAnEmptyDatabase) {
  router.Click(ids::kLoadDatabase);
  const TransferImage loaded = state.database.Image();
  Faults().stopAfterRecords = 0;
  Faults().hangUpAfter = sim::PhaseCount{sim::Phase::Records, 0};
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(BoxTexts().back(), "User database download failed, please try again");
  EXPECT_EQ(state.database.Image(), loaded);
}

TEST_F(DownloadTest, AFailedHandshakeChangesNothing) {
  Faults().wrongAnswer = true;
  const Snapshot before = Take();
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Device can not into update mode,please try again"});
  EXPECT_EQ(Take(), before);
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
}

// Keeps what it was given, or says it could not; the download asks nothing else of it.
class RecordingBackups final : public Backups {
 public:
  KeepResult Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber,
                  BackupReason /*reason*/) override {
    kept.push_back({image, serialNumber});
    return answer;
  }
  std::vector<BackupEntry> List() const override { return {}; }
  ImageLoadResult Load(const std::filesystem::path& /*file*/) const override { return {}; }
  const std::optional<std::filesystem::path>& Folder() const override { return folder; }

  std::vector<std::pair<TransferImage, std::optional<std::uint32_t>>> kept;
  KeepResult answer{KeepOutcome::Kept, "/x/backups/kept.bin", ""};
  std::optional<std::filesystem::path> folder = "/x/backups";
};

TEST_F(DownloadTest, EverySuccessfulDownloadLeavesACopyOfTheDeviceWithItsSerialNumber) {
  RecordingBackups backups;
  state.backups = &backups;
  router.Click(ids::kLoadDatabase);
  ASSERT_EQ(backups.kept.size(), 1u);
  EXPECT_EQ(backups.kept[0].first, DeviceImage());
  EXPECT_EQ(backups.kept[0].second, 20110318u);  // told by the connect before
  EXPECT_TRUE(window.Boxes().empty());

  Faults().stallInNote = 2;
  Faults().pause = kLullLimit + kReadLimit + std::chrono::milliseconds(100);
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(backups.kept.size(), 1u);  // a failed download keeps nothing
}

TEST_F(DownloadTest, ACopyThatCannotBeKeptIsToldButTheDownloadStillCounts) {
  RecordingBackups backups;
  backups.answer = {
      KeepOutcome::NotSaved, {}, "No backup of the device could be saved in /x/backups: Permission denied"};
  state.backups = &backups;
  router.Click(ids::kLoadDatabase);
  ASSERT_EQ(window.Boxes().size(), 1u);
  const MessageBoxRequest expected{BoxOwner::None, backups.answer.message, "Info", BoxKind::Ok};
  EXPECT_EQ(window.Boxes()[0], expected);
  EXPECT_EQ(state.database.Image(), DeviceImage());
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
  EXPECT_TRUE(window.IsEnabled(ids::kExitAndWrite));
}

TEST_F(DownloadTest, WithoutAConnectTheSerialNumberIsNotKnown) {
  ProgramState fresh(port);
  RecordingBackups backups;
  fresh.backups = &backups;
  ASSERT_TRUE(DownloadDatabase(fresh, window));
  ASSERT_EQ(backups.kept.size(), 1u);
  EXPECT_EQ(backups.kept[0].second, std::nullopt);
}

TEST_F(DownloadTest, ASecondDownloadDiscardsStoredRowsAndShowsPageZeroAgain) {
  router.Click(ids::kLoadDatabase);
  state.database.SetPoint(0, UserPoint{1, 2, 3, 4, 0});
  state.page.current = 2;
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(state.database.Image(), DeviceImage());
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
}

}  // namespace
}  // namespace userdb
