// The download on a line that falls silent now and then, against a device that sends only the
// points it holds as well as one that sends all 256: a lull must never cost a point or a note.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

#include "app/download_command.h"
#include "app/main_form.h"
#include "app/program_state.h"
#include "device/download.h"
#include "device/line_texts.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "tests/support/points_memory.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

using std::chrono::milliseconds;
using test::MemoryWithPoints;

constexpr int kDevicePort = 2;

class LullTest : public ::testing::Test {
 protected:
  void UseDevice(std::size_t points, sim::ListLength lists) {
    device = sim::DeviceSimulator(MemoryWithPoints(points), sim::DeviceTiming{sim::kPacedByteTime}, {}, lists);
  }

  bool Download() {
    start = clock.Now();
    return DownloadDatabase(state, window);
  }
  Duration Elapsed() const { return clock.Now() - start; }

  std::vector<std::uint8_t> Loaded() const {
    const TransferImage image = state.database.Image();
    return {image.begin(), image.end()};
  }
  std::vector<std::uint8_t> Held() const { return {device.Memory().image.begin(), device.Memory().image.end()}; }

  // The time the bytes of a download of these lists need on the wire.
  static Duration LineTime(std::size_t records, std::size_t notes) {
    const std::size_t bytes = line::kDeviceBanner.size() + line::kUpdateRequest.size() + line::kUpdateAnswer.size() +
                              7 + kDownloadHeaderSize + records * kRecordSize + 7 + notes * kNoteSize +
                              line::kExitMessage.size();
    return sim::kPacedByteTime * static_cast<std::int64_t>(bytes);
  }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port{clock, sim::kPacedByteTime};
  ProgramState state{port};
  HeadlessWindow window;
  Instant start{};

  void SetUp() override {
    port.Attach(kDevicePort, device);
    InitialiseMainForm(state, window);
  }
};

struct LullCase {
  sim::Phase phase;
  std::size_t block;
  int millis;
};

void PrintTo(const LullCase& lull, std::ostream* out) {
  *out << sim::PhaseName(lull.phase) << " block " << lull.block << ", " << lull.millis << " ms";
}

class LullAtABlock : public LullTest, public ::testing::WithParamInterface<std::tuple<sim::ListLength, LullCase>> {};

TEST_P(LullAtABlock, GivesTheDevicesExactDatabase) {
  const auto [lists, lull] = GetParam();
  UseDevice(60, lists);
  device.Faults().lulls = {{lull.phase, lull.block, milliseconds(lull.millis)}};
  ASSERT_TRUE(Download()) << (window.Boxes().empty() ? "" : window.Boxes().back().text);
  EXPECT_EQ(Loaded(), Held());
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
  EXPECT_FALSE(port.IsOpen());
}

// The first, a middle and the last block of each list, at the 300 ms and at the 500 ms a
// busy radio link can take.
std::vector<LullCase> LullCases() {
  std::vector<LullCase> cases;
  for (sim::Phase phase : {sim::Phase::Records, sim::Phase::Notes}) {
    for (std::size_t block : {0u, 20u, 59u}) {
      for (int millis : {300, 500}) cases.push_back({phase, block, millis});
    }
  }
  return cases;
}

std::string LullCaseName(const ::testing::TestParamInfo<std::tuple<sim::ListLength, LullCase>>& info) {
  const sim::ListLength lists = std::get<0>(info.param);
  const LullCase lull = std::get<1>(info.param);
  return std::string(lists == sim::ListLength::Filled ? "Filled" : "All") + std::string(sim::PhaseName(lull.phase)) +
         std::to_string(lull.block) + "Lull" + std::to_string(lull.millis) + "ms";
}

INSTANTIATE_TEST_SUITE_P(Lists, LullAtABlock,
                         ::testing::Combine(::testing::Values(sim::ListLength::Filled, sim::ListLength::All),
                                            ::testing::ValuesIn(LullCases())),
                         LullCaseName);

TEST_F(LullTest, LullsInsideBlocksAndBeforeTheHeaderAreRiddenOutToo) {
  UseDevice(60, sim::ListLength::Filled);
  device.Faults().stallInRecord = 7;
  device.Faults().stallInNote = 33;
  device.Faults().pause = milliseconds(500);
  device.Faults().lulls = {{sim::Phase::Handshake, 0, milliseconds(400)}};
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
}

TEST_F(LullTest, ShortListsCostTheirLineTimeAndTwoSilencesAtMost) {
  UseDevice(40, sim::ListLength::Filled);
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
  EXPECT_LE(Elapsed(), LineTime(40, 40) + milliseconds(1500));
  EXPECT_GE(Elapsed(), LineTime(40, 40) + 2 * kLullLimit);  // each list's end is believed only after silence
}

TEST_F(LullTest, AFullStreamCostsItsLineTimeAndOneRead) {
  UseDevice(256, sim::ListLength::All);
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
  EXPECT_LE(Elapsed(), LineTime(256, 256) + kReadLimit + milliseconds(5));
}

TEST_F(LullTest, ADeviceWithNothingSendsAHeaderAndTheDownloadShowsEmptyPages) {
  UseDevice(0, sim::ListLength::Filled);
  state.database.SetPoint(3, UserPoint{1, 2, 3, 4, 0});
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), std::vector<std::uint8_t>(kImageSize, 0xFF));
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
}

// Silence longer than the lull limit inside a block shows as a block cut short.
TEST_F(LullTest, SilenceBeyondTheLimitInsideABlockFailsTheDownload) {
  UseDevice(60, sim::ListLength::Filled);
  device.Faults().stallInNote = 10;
  device.Faults().pause = kLullLimit + kReadLimit + milliseconds(100);
  EXPECT_FALSE(Download());
  EXPECT_EQ(window.Boxes().back().text, "User database download failed, please try again");
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
}

// A long lull before a note ends the list early by the count of points, so the rest of the
// notes is still waited for rather than lost.
TEST_F(LullTest, NotesThatStopBeforeTheLastPointAreWaitedForLonger) {
  UseDevice(60, sim::ListLength::Filled);
  device.Faults().lulls = {{sim::Phase::Notes, 20, milliseconds(2000)}};
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
}

// Records cut off by a long lull go on as notes: notes past the last point give the shift away,
// and a second reading, without the lull, is the one kept.
TEST_F(LullTest, ALongLullInTheRecordsIsCaughtAndReadAgain) {
  // Where the records left over fill whole notes, so that nothing else shows the shift.
  for (std::size_t block : {4u, 20u, 52u}) {
    UseDevice(60, sim::ListLength::Filled);
    device.Faults().lulls = {{sim::Phase::Records, block, kLullLimit + kReadLimit + milliseconds(200), true}};
    const int opens = port.OpenCount();
    ASSERT_TRUE(Download()) << block;
    EXPECT_EQ(Loaded(), Held()) << block;
    EXPECT_EQ(port.OpenCount(), opens + 2) << block;
  }
}

TEST_F(LullTest, ASecondReadingThatDisagreesFailsTheDownload) {
  UseDevice(60, sim::ListLength::Filled);
  const Duration longLull = kLullLimit + kReadLimit + milliseconds(200);
  // Longer than even the second reading waits, so that it too ends the records early.
  const Duration endlessLull = kSuspectedEndLimit + kReadLimit + milliseconds(200);
  device.Faults().lulls = {{sim::Phase::Records, 20, longLull, true}, {sim::Phase::Records, 44, endlessLull}};
  EXPECT_FALSE(Download());
  EXPECT_EQ(window.Boxes().back().text, "User database download failed, please try again");
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
  EXPECT_EQ(port.OpenCount(), 2);
}

// Notes past the last point that every reading shows are the device's own.
TEST_F(LullTest, ANoteWithoutAPointThatStaysIsTakenAsTheDeviceHoldsIt) {
  UseDevice(10, sim::ListLength::All);
  device.Memory().Note(200)[0] = 'x';
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
  EXPECT_EQ(port.OpenCount(), 2);
}

// Notes that never come cannot be told from notes held back by a lull longer than any wait, and
// a database without them would lose them on the next upload: such a device fails, in bounded
// time. So does one whose records stop before its notes.
TEST_F(LullTest, ListsOfDifferentLengthsFailTheDownloadAfterTheLongerWaits) {
  for (const bool fewerNotes : {true, false}) {
    UseDevice(60, sim::ListLength::Filled);
    (fewerNotes ? device.Faults().stopAfterNotes : device.Faults().stopAfterRecords) = 20;
    state.database.SetPoint(3, UserPoint{1, 2, 3, 4, 0});
    const TransferImage before = state.database.Image();
    EXPECT_FALSE(Download()) << fewerNotes;
    EXPECT_EQ(window.Boxes().back().text, "User database download failed, please try again");
    EXPECT_EQ(state.database.Image(), before);
    // Two readings, each waiting the longer silence at the end of a list that looks cut off.
    EXPECT_LE(Elapsed(), 2 * LineTime(60, 60) + 3 * kSuspectedEndLimit + 2 * kLullLimit) << fewerNotes;
  }
}

// As measured against another device: 60 points and a pause before record 20 in every
// conversation, where the 40 records after it fill exactly five notes and nothing is left over.
// The second reading waits the pause out.
TEST_F(LullTest, APauseBeforeTheSameRecordInEveryConversationIsWaitedOutTheSecondTime) {
  for (int millis : {700, 1200, 2500}) {
    UseDevice(60, sim::ListLength::Filled);
    device.Faults().lulls = {{sim::Phase::Records, 20, milliseconds(millis)}};
    const int opens = port.OpenCount();
    ASSERT_TRUE(Download()) << millis;
    EXPECT_EQ(Loaded(), Held()) << millis;
    EXPECT_EQ(port.OpenCount(), opens + 2) << millis;
  }
}

// Without notes, the records read as notes leave no note past the last point to give them away;
// only the counts of the two lists do.
TEST_F(LullTest, RecordsReadAsNotesAreCaughtOnADeviceWithoutNotes) {
  for (const bool once : {true, false}) {
    UseDevice(60, sim::ListLength::Filled);
    std::fill(device.Memory().image.begin() + kRecordsBytes, device.Memory().image.end(), 0xFF);
    device.Faults().lulls = {{sim::Phase::Records, 20, kLullLimit + kReadLimit + milliseconds(200), once}};
    ASSERT_TRUE(Download()) << once;
    EXPECT_EQ(Loaded(), Held()) << once;
  }
}

// After a lull right after the header an empty records list and an empty notes list would fit
// each other, so nothing later could show the shift.
TEST_F(LullTest, ALullRightAfterTheHeaderIsNotAnEmptyDevice) {
  UseDevice(60, sim::ListLength::Filled);
  device.Faults().lulls = {{sim::Phase::Records, 0, milliseconds(2500)}};
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
}

// A device that stops its records early but sends every note, empty past the records, gives the
// same reading twice. Records read as notes can look alike once: 192 records after a lull before
// record 40 fill exactly 24 notes, and the device's notes are empty from note 16 on, so the
// reading ends on a whole notes list, empty past the records. The second reading differs.
TEST_F(LullTest, AWholeNotesListAfterShortRecordsIsTakenOnlyWhenASecondReadingAgrees) {
  UseDevice(30, sim::ListLength::All);
  device.Faults().stopAfterRecords = 40;
  const int opens = port.OpenCount();
  ASSERT_TRUE(Download());
  EXPECT_EQ(Loaded(), Held());
  EXPECT_EQ(port.OpenCount(), opens + 2);

  for (const bool once : {true, false}) {
    UseDevice(232, sim::ListLength::Filled);
    std::fill(device.Memory().image.begin() + kRecordsBytes + 16 * kNoteSize, device.Memory().image.end(), 0xFF);
    device.Faults().lulls = {{sim::Phase::Records, 40, kLullLimit + kReadLimit + milliseconds(200), once}};
    state.database.SetPoint(3, UserPoint{1, 2, 3, 4, 0});
    const TransferImage before = state.database.Image();
    EXPECT_FALSE(Download()) << once;
    EXPECT_EQ(state.database.Image(), before) << once;
  }
}

// Tells the device to change between the two readings of one download.
class ChangingSeat final : public DeviceSeat {
 public:
  explicit ChangingSeat(std::function<void()> change) : change_(std::move(change)) {}
  void PortNotOpened(const PortFailure& /*failure*/) override {}
  void WaitingForLink(int /*portNumber*/) override {}
  void HandshakeRetry(int /*attempt*/, int /*tries*/) override {}
  void NoUpdateMode() override {}
  void HandshakeSucceeded() override {}
  void Receiving() override {
    if (++readings_ == 2) change_();
  }
  void ChunkSent(std::size_t /*chunk*/) override {}

 private:
  std::function<void()> change_;
  int readings_ = 0;
};

TEST_F(LullTest, TwoReadingsThatEachFitButDifferFailTheDownload) {
  UseDevice(10, sim::ListLength::All);
  device.Memory().Note(200)[0] = 'x';
  ChangingSeat seat([this] { device.Memory().Note(200)[0] = 'y'; });
  EXPECT_EQ(userdb::Download(state.link, kDevicePort, seat).outcome, DownloadOutcome::Incomplete);
  EXPECT_EQ(port.OpenCount(), 2);
}

// A lull before one block at a time, of each length up to the longer wait and beyond it, once or
// at the same place in every conversation, as a flash page boundary would put it.
struct LullGridCase {
  std::size_t points;  // 60 sends only its points; 256 sends every entry
  sim::Phase phase;
  int millis;
  bool everyTime;
};

void PrintTo(const LullGridCase& lull, std::ostream* out) {
  *out << lull.points << " points, " << sim::PhaseName(lull.phase) << ", " << lull.millis << " ms"
       << (lull.everyTime ? ", every time" : ", once");
}

class LullGrid : public LullTest, public ::testing::WithParamInterface<LullGridCase> {
 protected:
  // A database of the user's that a failed download must leave as it was.
  TransferImage UsersDatabase() {
    state.database.SetPoint(3, UserPoint{1, 2, 3, 4, 0});
    return state.database.Image();
  }
};

TEST_P(LullGrid, GivesTheDevicesExactDatabaseOrFailsAndChangesNothing) {
  const LullGridCase lull = GetParam();
  const Duration pause = milliseconds(lull.millis);
  // A lull beyond the longer wait that comes back in the second reading reads as an end there too.
  const bool succeeds = !lull.everyTime || pause < kSuspectedEndLimit;
  const std::size_t step = lull.points == kRecordCount ? 16 : 4;
  for (std::size_t block = 0; block < lull.points; block += step) {
    SCOPED_TRACE("before block " + std::to_string(block));
    UseDevice(lull.points, lull.points == kRecordCount ? sim::ListLength::All : sim::ListLength::Filled);
    device.Faults().lulls = {{lull.phase, block, pause, !lull.everyTime}};
    const TransferImage before = UsersDatabase();
    const std::size_t boxes = window.Boxes().size();
    ASSERT_EQ(Download(), succeeds);
    if (succeeds) {
      EXPECT_EQ(Loaded(), Held());
      EXPECT_EQ(window.Boxes().size(), boxes);
    } else {
      EXPECT_EQ(state.database.Image(), before);
      EXPECT_EQ(window.Boxes().back().text, "User database download failed, please try again");
    }
    EXPECT_LE(Elapsed(), 2 * (LineTime(lull.points, lull.points) + pause + kSuspectedEndLimit) + kSuspectedEndLimit +
                             2 * kLullLimit);
  }
}

std::vector<LullGridCase> LullGridCases() {
  const int beyondTheWait = static_cast<int>((kSuspectedEndLimit + std::chrono::seconds(1)) / milliseconds(1));
  std::vector<LullGridCase> cases;
  for (std::size_t points : {std::size_t{60}, kRecordCount}) {
    for (sim::Phase phase : {sim::Phase::Records, sim::Phase::Notes}) {
      for (int millis : {300, 700, 1200, 2500, 3000, beyondTheWait}) {
        for (bool everyTime : {false, true}) cases.push_back({points, phase, millis, everyTime});
      }
    }
  }
  return cases;
}

std::string LullGridName(const ::testing::TestParamInfo<LullGridCase>& info) {
  const LullGridCase& lull = info.param;
  return std::to_string(lull.points) + "Points" + std::string(sim::PhaseName(lull.phase)) +
         std::to_string(lull.millis) + "ms" + (lull.everyTime ? "EveryTime" : "Once");
}

INSTANTIATE_TEST_SUITE_P(Lulls, LullGrid, ::testing::ValuesIn(LullGridCases()), LullGridName);

using TrailingBytesTest = LullTest;

TEST_F(TrailingBytesTest, ADeviceMessageAfterTheLastNoteIsNotAFault) {
  for (sim::ListLength lists : {sim::ListLength::All, sim::ListLength::Filled}) {
    UseDevice(50, lists);
    device.Faults().afterNotes = {line::kUpdateOverMessage.begin(), line::kUpdateOverMessage.end()};
    EXPECT_TRUE(Download()) << (lists == sim::ListLength::All ? "all" : "filled");
    EXPECT_EQ(Loaded(), Held());
  }
}

TEST_F(TrailingBytesTest, OtherBytesAfterTheLastNoteFailTheDownload) {
  const std::vector<std::vector<std::uint8_t>> tails = {
      {0x00},
      {line::kUpdateOverMessage.begin(), line::kUpdateOverMessage.end() - 1},  // without its zero byte
      std::vector<std::uint8_t>(200, 'K'),
  };
  for (sim::ListLength lists : {sim::ListLength::All, sim::ListLength::Filled}) {
    for (const std::vector<std::uint8_t>& tail : tails) {
      UseDevice(50, lists);
      device.Faults().afterNotes = tail;
      EXPECT_FALSE(Download()) << tail.size();
      EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
    }
  }
}

}  // namespace
}  // namespace userdb
