// The download on a line that falls silent now and then, against a device that sends only the
// points it holds as well as one that sends all 256: a lull must never cost a point or a note.

#include <gtest/gtest.h>

#include <tuple>

#include "app/download_command.h"
#include "app/main_form.h"
#include "app/program_state.h"
#include "device/download.h"
#include "device/line_texts.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

using std::chrono::milliseconds;

constexpr int kDevicePort = 2;

// A device holding this many points, each record and note distinct.
sim::DeviceMemory MemoryWithPoints(std::size_t count) {
  sim::DeviceMemory memory = sim::SampleMemory();
  memory.image.fill(0xFF);
  for (std::size_t k = 0; k < count; ++k) {
    auto point = memory.Point(k);
    for (std::size_t i = 0; i < point.size(); ++i) point[i] = static_cast<std::uint8_t>(k * 16 + i);
    auto note = memory.Note(k);
    for (std::size_t i = 0; i < 40; ++i) note[i] = static_cast<std::uint8_t>('A' + (k + i) % 26);
  }
  return memory;
}

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
  device.Faults().lulls = {{sim::Phase::Records, 20, longLull, true}, {sim::Phase::Records, 44, longLull}};
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

TEST_F(LullTest, ADeviceThatSendsFewerNotesThanPointsOnlyWaits) {
  UseDevice(60, sim::ListLength::Filled);
  device.Faults().stopAfterNotes = 20;
  ASSERT_TRUE(Download());
  std::vector<std::uint8_t> expected = Held();
  std::fill(expected.begin() + kRecordsBytes + 20 * kNoteSize, expected.end(), 0xFF);
  EXPECT_EQ(Loaded(), expected);
  EXPECT_LE(Elapsed(), LineTime(60, 20) + 2 * kLullLimit + kShortNotesGrace + milliseconds(100));
}

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
