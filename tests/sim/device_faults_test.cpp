#include <gtest/gtest.h>

#include <algorithm>

#include "sim/device_simulator.h"
#include "tests/sim/line_bytes.h"

namespace userdb::sim {
namespace {

using namespace test;
using std::chrono::milliseconds;

const Instant kStart = Instant{} + std::chrono::seconds(10);

class DeviceFaultTest : public ::testing::Test {
 protected:
  std::vector<TimedByte> OpenTimed() {
    device.PortOpened(kStart);
    return device.TakeOutput();
  }
  ByteVector Open() { return Values(OpenTimed()); }
  std::vector<TimedByte> SendTimed(const ByteVector& bytes) {
    device.Receive(bytes, kStart);
    return device.TakeOutput();
  }
  ByteVector Send(const ByteVector& bytes) { return Values(SendTimed(bytes)); }
  void OpenInUpdateMode() {
    Open();
    Send(kRequest);
  }
  // The sample image sent back unchanged; what the device answered.
  std::vector<TimedByte> UploadSampleImageTimed() {
    const FlashImage image = device.Memory().image;
    Send(WriteDatabaseFrame(kFlashImageSize, XorChecksum(image)));
    return SendTimed(ByteVector(image.begin(), image.end()));
  }
  ByteVector UploadSampleImage() { return Values(UploadSampleImageTimed()); }

  DeviceSimulator device;
  FaultPlan& faults = device.Faults();
};

// Where the line pauses: the gap between byte i - 1 and byte i.
Duration GapBefore(const std::vector<TimedByte>& bytes, std::size_t i) {
  return bytes[i].readyAt - bytes[i - 1].readyAt;
}

TEST_F(DeviceFaultTest, SilentDeviceSendsNothingButStillHearsEverything) {
  faults.silent = true;
  EXPECT_TRUE(Open().empty());
  EXPECT_TRUE(Send(kRequest).empty());
  EXPECT_TRUE(Send(kReadInfo).empty());
  EXPECT_EQ(device.Conversations().back().received, Concat({kRequest, kReadInfo}));
}

TEST_F(DeviceFaultTest, NoBannerButTheHandshakeStillWorks) {
  faults.noBanner = true;
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(Send(kRequest), Text("KT GPS+BT"));
}

TEST_F(DeviceFaultTest, WrongAnswerHasTheRightLengthAndOneCharacterOff) {
  faults.wrongAnswer = true;
  Open();
  EXPECT_EQ(Send(kRequest), Text("KT GPS-BT"));
}

TEST_F(DeviceFaultTest, AnswerWithoutZeroIsNineBytes) {
  faults.answerWithoutZero = true;
  Open();
  const ByteVector full = Text("KT GPS+BT");
  EXPECT_EQ(Send(kRequest), ByteVector(full.begin(), full.end() - 1));
}

TEST_F(DeviceFaultTest, StopAfterRecordsSendsHeaderAndThatManyRecords) {
  faults.stopAfterRecords = 40;
  OpenInUpdateMode();
  EXPECT_EQ(Send(kReadRecords).size(), 16u + 40u * 16u);
  EXPECT_EQ(Send(kReadNotes).size(), 256u * 128u);
}

TEST_F(DeviceFaultTest, StopAfterNotesSendsThatManyNotes) {
  faults.stopAfterNotes = 3;
  OpenInUpdateMode();
  EXPECT_EQ(Send(kReadRecords).size(), 4112u);
  EXPECT_EQ(Send(kReadNotes).size(), 3u * 128u);
}

TEST_F(DeviceFaultTest, StallPausesHalfwayThroughTheChosenRecordOnly) {
  faults.stallInRecord = 5;
  OpenInUpdateMode();
  const std::vector<TimedByte> answer = SendTimed(kReadRecords);
  ASSERT_EQ(answer.size(), 4112u);
  const std::size_t middleOfRecord5 = 16 + 5 * 16 + 8;
  EXPECT_EQ(GapBefore(answer, middleOfRecord5), faults.pause);
  EXPECT_GT(faults.pause, milliseconds(100));
  EXPECT_EQ(answer.back().readyAt - answer.front().readyAt, faults.pause);
}

TEST_F(DeviceFaultTest, StallPausesHalfwayThroughTheChosenNote) {
  faults.stallInNote = 0;
  OpenInUpdateMode();
  const std::vector<TimedByte> answer = SendTimed(kReadNotes);
  EXPECT_EQ(GapBefore(answer, 64), faults.pause);
  EXPECT_EQ(answer.back().readyAt - answer.front().readyAt, faults.pause);
}

TEST_F(DeviceFaultTest, LullsFallAtBlockBoundariesOfTheirPhaseOnly) {
  faults.lulls = {{Phase::Records, 20, milliseconds(300)},
                  {Phase::Notes, 0, milliseconds(200)},
                  {Phase::Notes, 255, milliseconds(400)}};
  OpenInUpdateMode();
  const std::vector<TimedByte> records = SendTimed(kReadRecords);
  ASSERT_EQ(records.size(), 4112u);
  EXPECT_EQ(records.front().readyAt, kStart);  // the header is not held back
  EXPECT_EQ(GapBefore(records, 16 + 20 * 16), milliseconds(300));
  EXPECT_EQ(records.back().readyAt - records.front().readyAt, milliseconds(300));

  const std::vector<TimedByte> notes = SendTimed(kReadNotes);
  ASSERT_EQ(notes.size(), 256u * 128u);
  EXPECT_EQ(notes.front().readyAt - records.back().readyAt, milliseconds(200));
  EXPECT_EQ(GapBefore(notes, 255 * 128), milliseconds(400));
  EXPECT_EQ(notes.back().readyAt - notes.front().readyAt, milliseconds(400));
  EXPECT_EQ(Values(records), Values(SendTimed(kReadRecords)));  // the lulls change no byte
}

TEST_F(DeviceFaultTest, LullsInTheShortAnswersCountTheirTexts) {
  faults.lulls = {{Phase::Info, 2, milliseconds(300)}, {Phase::Handshake, 0, milliseconds(150)}};
  Open();
  const std::vector<TimedByte> answer = SendTimed(kRequest);
  EXPECT_EQ(Values(answer), Text("KT GPS+BT"));
  EXPECT_EQ(answer.front().readyAt, kStart + milliseconds(150));
  const std::vector<TimedByte> info = SendTimed(kReadInfo);
  ASSERT_EQ(info.size(), 72u + 16u + 15u);
  EXPECT_EQ(GapBefore(info, 88), milliseconds(300));  // before "KT Update Over"
}

TEST_F(DeviceFaultTest, GarbageComesOnlyBeforeTheChosenAnswer) {
  faults.garbageBefore = PhaseCount{Phase::Handshake, 3};
  EXPECT_EQ(Open(), Text("Quillborne Tech. Co.\r\n"));
  const ByteVector answer = Send(kRequest);
  ASSERT_EQ(answer.size(), 13u);
  EXPECT_EQ(ByteVector(answer.begin() + 3, answer.end()), Text("KT GPS+BT"));
  EXPECT_NE(answer[0], 0x00);
  EXPECT_NE(answer[0], 0xFF);
}

TEST_F(DeviceFaultTest, GarbageBeforeTheVerdictShiftsTheMessages) {
  faults.garbageBefore = PhaseCount{Phase::Verdict, 1};
  OpenInUpdateMode();
  const ByteVector answer = UploadSampleImage();
  EXPECT_EQ(answer.size(), 31u);
  EXPECT_EQ(ByteVector(answer.begin() + 1, answer.end()), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
}

TEST_F(DeviceFaultTest, SplitBannerGoesOutInTwoHalvesWithAGap) {
  faults.splitTextsIn = Phase::Banner;
  const std::vector<TimedByte> banner = OpenTimed();
  EXPECT_EQ(Values(banner), Text("Quillborne Tech. Co.\r\n"));
  EXPECT_EQ(GapBefore(banner, 11), faults.pause);
  EXPECT_EQ(banner.back().readyAt - banner.front().readyAt, faults.pause);
}

TEST_F(DeviceFaultTest, SplitVerdictSplitsBothMessages) {
  faults.splitTextsIn = Phase::Verdict;
  OpenInUpdateMode();
  const std::vector<TimedByte> answer = UploadSampleImageTimed();
  EXPECT_EQ(Values(answer), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
  EXPECT_EQ(GapBefore(answer, 7), faults.pause);
  EXPECT_EQ(GapBefore(answer, 22), faults.pause);
  EXPECT_EQ(answer.back().readyAt - answer.front().readyAt, 2 * faults.pause);
}

TEST_F(DeviceFaultTest, ChecksumErrorFaultRefusesAGoodImage) {
  faults.checksumError = true;
  OpenInUpdateMode();
  const FlashImage before = device.Memory().image;
  EXPECT_EQ(UploadSampleImage(), Concat({Text("Checksum Error"), Text("KT Update Over")}));
  EXPECT_EQ(device.Memory().image, before);
  EXPECT_EQ(device.UploadsApplied(), 0);
}

TEST_F(DeviceFaultTest, ATornWriteErasesTheFlashAndDropsTheLineWhereverItBreaksOff) {
  for (const std::size_t after : {std::size_t{0}, std::size_t{1}, std::size_t{20000}, kFlashImageSize - 1}) {
    DeviceSimulator fresh;
    fresh.Faults().tornWriteAfter = after;
    const FlashImage image = fresh.Memory().image;
    fresh.PortOpened(kStart);
    fresh.Receive(kRequest, kStart);
    fresh.Receive(WriteDatabaseFrame(kFlashImageSize, XorChecksum(image)), kStart);
    fresh.Receive(ByteVector(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(after)), kStart);
    EXPECT_TRUE(fresh.HungUpAt().has_value()) << after;
    fresh.TakeOutput();
    fresh.PortClosed();
    EXPECT_TRUE(std::all_of(fresh.Memory().image.begin(), fresh.Memory().image.end(), [](std::uint8_t byte) {
      return byte == 0xFF;
    })) << after;
    EXPECT_EQ(fresh.UploadsApplied(), 0);
    EXPECT_EQ(fresh.FlashWrites(), 1);

    // The next conversation finds the device empty, and a full write puts it right.
    fresh.Faults() = {};
    fresh.PortOpened(kStart);
    fresh.Receive(kRequest, kStart);
    fresh.Receive(WriteDatabaseFrame(kFlashImageSize, XorChecksum(image)), kStart);
    fresh.Receive(ByteVector(image.begin(), image.end()), kStart);
    EXPECT_EQ(fresh.Memory().image, image) << after;
  }
}

TEST_F(DeviceFaultTest, AWrongByteIsConfirmedAndStoredInvertedWhereTheFaultSays) {
  faults.storeWrongByte = 4096 + 3;
  OpenInUpdateMode();
  FlashImage expected = device.Memory().image;
  EXPECT_EQ(UploadSampleImage(), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
  expected[4096 + 3] = static_cast<std::uint8_t>(~expected[4096 + 3]);
  EXPECT_EQ(device.Memory().image, expected);
  EXPECT_EQ(device.UploadsApplied(), 1);
}

TEST_F(DeviceFaultTest, NoUpdateOverAfterInfoOrVerdict) {
  faults.noUpdateOver = true;
  OpenInUpdateMode();
  EXPECT_EQ(Send(kReadInfo).size(), 72u + 16u);
  EXPECT_EQ(UploadSampleImage(), Text("Checksum    OK"));
}

TEST_F(DeviceFaultTest, InfoBlockAllFF) {
  faults.infoBytesFF.set();
  OpenInUpdateMode();
  const ByteVector answer = Send(kReadInfo);
  ASSERT_EQ(answer.size(), 103u);
  EXPECT_EQ(ByteVector(answer.begin(), answer.begin() + 72), ByteVector(72, 0xFF));
  EXPECT_EQ(ByteVector(answer.end() - 15, answer.end()), Text("KT Update Over"));
}

TEST_F(DeviceFaultTest, InfoBlockWithOneByteFF) {
  faults.infoBytesFF.set(3);
  OpenInUpdateMode();
  const ByteVector answer = Send(kReadInfo);
  ByteVector expected(device.Memory().info.begin(), device.Memory().info.end());
  expected[3] = 0xFF;
  EXPECT_EQ(ByteVector(answer.begin(), answer.begin() + 72), expected);
}

TEST_F(DeviceFaultTest, HangUpAfterByteNOfTheRecords) {
  faults.hangUpAfter = PhaseCount{Phase::Records, 100};
  OpenInUpdateMode();
  const std::vector<TimedByte> answer = SendTimed(kReadRecords);
  ASSERT_EQ(answer.size(), 100u);
  ASSERT_TRUE(device.HungUpAt().has_value());
  EXPECT_EQ(*device.HungUpAt(), answer.back().readyAt);
  EXPECT_TRUE(Send(kReadNotes).empty());
  EXPECT_TRUE(device.Conversations().back().hungUp);
  EXPECT_FALSE(device.InUpdateMode());
}

TEST_F(DeviceFaultTest, HangUpAtTheStartOfThePhaseSendsNothingOfIt) {
  faults.hangUpAfter = PhaseCount{Phase::Banner, 0};
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(device.HungUpAt(), kStart);
}

TEST_F(DeviceFaultTest, HangUpDuringTheUploadCountsImageBytesTaken) {
  faults.hangUpAfter = PhaseCount{Phase::Upload, 640};
  OpenInUpdateMode();
  const FlashImage before = device.Memory().image;
  EXPECT_TRUE(UploadSampleImage().empty());
  EXPECT_EQ(device.HungUpAt(), kStart);
  EXPECT_EQ(device.Memory().image, before);
  // The device stopped listening where it hung up.
  EXPECT_EQ(device.Conversations().back().received.size(), 18u + 7u + kFlashImageSize);
  EXPECT_EQ(device.Conversations().back().heard.back(), Heard::WriteDatabase);
}

TEST_F(DeviceFaultTest, EveryConversationStartsAfreshAfterAHangUp) {
  faults.hangUpAfter = PhaseCount{Phase::Handshake, 4};
  OpenInUpdateMode();
  device.PortClosed();
  EXPECT_EQ(Open(), Text("Quillborne Tech. Co.\r\n"));
  EXPECT_FALSE(device.HungUpAt().has_value());
  EXPECT_EQ(Send(kRequest).size(), 4u);
}

TEST_F(DeviceFaultTest, FaultsChangedBetweenConversationsApplyToTheNextOne) {
  faults.silent = true;
  EXPECT_TRUE(Open().empty());
  device.PortClosed();
  faults.silent = false;
  EXPECT_EQ(Open().size(), 23u);
}

}  // namespace
}  // namespace userdb::sim
