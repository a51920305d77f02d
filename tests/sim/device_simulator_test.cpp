#include "sim/device_simulator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sim/line_bytes.h"

namespace userdb::sim {
namespace {

using namespace test;
using std::chrono::milliseconds;

constexpr std::size_t kChunk = 64;
const Instant kStart = Instant{} + std::chrono::seconds(10);

ByteVector PatternImage() {
  ByteVector image(kFlashImageSize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return image;
}

class DeviceSimulatorTest : public ::testing::Test {
 protected:
  explicit DeviceSimulatorTest(DeviceTiming timing = {}) : device(SampleMemory(), timing) {}

  ByteVector Open() {
    device.PortOpened(kStart);
    return Values(device.TakeOutput());
  }
  ByteVector Send(const ByteVector& bytes, Instant at = kStart) {
    device.Receive(bytes, at);
    return Values(device.TakeOutput());
  }
  void OpenInUpdateMode() {
    Open();
    Send(kRequest);
  }
  // The image in the program's 64-byte chunks; what the device answered.
  ByteVector Upload(const ByteVector& image, std::uint8_t checksum) {
    Send(WriteDatabaseFrame(static_cast<std::uint32_t>(image.size()), checksum));
    ByteVector answer;
    for (std::size_t offset = 0; offset < image.size(); offset += kChunk) {
      const auto chunk = std::span(image).subspan(offset, std::min(kChunk, image.size() - offset));
      const ByteVector out = Send(ByteVector(chunk.begin(), chunk.end()));
      answer.insert(answer.end(), out.begin(), out.end());
    }
    return answer;
  }

  DeviceSimulator device;
};

TEST(FilledListsTest, TheDeviceSendsItsRecordsUpToTheLastPointAndAsManyNotes) {
  DeviceMemory memory = SampleMemory();
  DeviceSimulator device(memory, {}, {}, ListLength::Filled);
  const auto answer = [&device](const ByteVector& frame) {
    device.Receive(frame, kStart);
    return Values(device.TakeOutput());
  };
  device.PortOpened(kStart);
  answer(kRequest);
  const ByteVector records = answer(kReadRecords);
  ASSERT_EQ(records.size(), 16 + SamplePointCount() * 16);
  EXPECT_EQ(ByteVector(records.end() - 16, records.end()),
            ByteVector(memory.Point(SamplePointCount() - 1).begin(), memory.Point(SamplePointCount() - 1).end()));
  EXPECT_EQ(answer(kReadNotes).size(), SamplePointCount() * 128);

  // An empty slot before the last point is sent, as the list runs to the last point.
  std::fill(device.Memory().Point(3).begin(), device.Memory().Point(3).end(), 0xFF);
  device.Memory().Point(99)[0] = 0x10;
  EXPECT_EQ(answer(kReadRecords).size(), 16u + 100u * 16u);
  EXPECT_EQ(answer(kReadNotes).size(), 100u * 128u);

  device.Memory().image.fill(0xFF);
  EXPECT_EQ(answer(kReadRecords).size(), 16u);
  EXPECT_TRUE(answer(kReadNotes).empty());
}

TEST_F(DeviceSimulatorTest, OpeningThePortSendsTheBannerAndNothingElse) {
  const ByteVector banner = Open();
  EXPECT_EQ(banner, Text("Quillborne Tech. Co.\r\n"));
  EXPECT_EQ(banner.size(), 23u);
  EXPECT_FALSE(device.InUpdateMode());
}

TEST_F(DeviceSimulatorTest, UpdateRequestIsAnsweredAndEntersUpdateMode) {
  Open();
  EXPECT_EQ(Send(kRequest), Text("KT GPS+BT"));
  EXPECT_TRUE(device.InUpdateMode());
}

TEST_F(DeviceSimulatorTest, RequestArrivingInPiecesIsAnsweredOnceWhole) {
  Open();
  EXPECT_TRUE(Send(ByteVector(kRequest.begin(), kRequest.begin() + 5)).empty());
  EXPECT_EQ(Send(ByteVector(kRequest.begin() + 5, kRequest.end())), Text("KT GPS+BT"));
}

TEST_F(DeviceSimulatorTest, NoiseBeforeTheRequestIsSkipped) {
  Open();
  EXPECT_EQ(Send(Concat({{0x00, 0x4B, 0x13}, kRequest})), Text("KT GPS+BT"));
  const std::vector<Heard> expected = {Heard::Noise, Heard::UpdateRequest};
  EXPECT_EQ(device.Conversations().back().heard, expected);
}

TEST_F(DeviceSimulatorTest, FramesOutsideUpdateModeAreNotAnswered) {
  Open();
  EXPECT_TRUE(Send(kReadRecords).empty());
  EXPECT_TRUE(Send(kReadInfo).empty());
}

TEST_F(DeviceSimulatorTest, ReadRecordsSendsHeaderWithUnitThenAll256Records) {
  OpenInUpdateMode();
  const ByteVector answer = Send(kReadRecords);
  ASSERT_EQ(answer.size(), 16u + 256u * 16u);
  EXPECT_EQ(answer[4], kUnitKilometer);
  const FlashImage& image = device.Memory().image;
  EXPECT_TRUE(std::equal(answer.begin() + 16, answer.end(), image.begin()));
}

TEST_F(DeviceSimulatorTest, HeaderCarriesTheMileUnit) {
  device.Memory().unit = kUnitMile;
  OpenInUpdateMode();
  EXPECT_EQ(Send(kReadRecords).at(4), 0x00);
}

TEST_F(DeviceSimulatorTest, ReadNotesSendsAll256Notes) {
  OpenInUpdateMode();
  const ByteVector answer = Send(kReadNotes);
  ASSERT_EQ(answer.size(), 256u * 128u);
  const FlashImage& image = device.Memory().image;
  EXPECT_TRUE(std::equal(answer.begin(), answer.end(), image.begin() + 4096));
}

TEST_F(DeviceSimulatorTest, ReadDeviceInfoSendsInfoVersionThenUpdateOver) {
  OpenInUpdateMode();
  const DeviceMemory& memory = device.Memory();
  const ByteVector expected =
      Concat({ByteVector(memory.info.begin(), memory.info.end()),
              ByteVector(memory.version.begin(), memory.version.end()), Text("KT Update Over")});
  EXPECT_EQ(Send(kReadInfo), expected);
  EXPECT_EQ(expected.size(), 72u + 16u + 15u);
}

TEST_F(DeviceSimulatorTest, GoodUploadReplacesTheImageAndSaysChecksumOk) {
  OpenInUpdateMode();
  const ByteVector image = PatternImage();
  EXPECT_EQ(Upload(image, XorChecksum(image)), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), device.Memory().image.begin()));
  EXPECT_EQ(device.UploadsApplied(), 1);
}

TEST_F(DeviceSimulatorTest, UploadWithWrongChecksumIsRefusedAndChangesNothing) {
  OpenInUpdateMode();
  const FlashImage before = device.Memory().image;
  const ByteVector image = PatternImage();
  EXPECT_EQ(Upload(image, static_cast<std::uint8_t>(XorChecksum(image) ^ 0x01)),
            Concat({Text("Checksum Error"), Text("KT Update Over")}));
  EXPECT_EQ(device.Memory().image, before);
  EXPECT_EQ(device.UploadsApplied(), 0);
}

TEST_F(DeviceSimulatorTest, UploadOfAnotherLengthIsRefused) {
  OpenInUpdateMode();
  const ByteVector shortImage(100, 0x11);
  EXPECT_EQ(Upload(shortImage, XorChecksum(shortImage)), Concat({Text("Checksum Error"), Text("KT Update Over")}));
  EXPECT_EQ(device.UploadsApplied(), 0);
}

TEST_F(DeviceSimulatorTest, FrameBytesInsideTheImageAreTakenAsImage) {
  OpenInUpdateMode();
  ByteVector image(kFlashImageSize, 0xFF);
  std::copy(kReadInfo.begin(), kReadInfo.end(), image.begin());
  std::copy(kExit.begin(), kExit.end(), image.begin() + 100);
  EXPECT_EQ(Upload(image, XorChecksum(image)), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
  EXPECT_TRUE(device.InUpdateMode());
}

TEST_F(DeviceSimulatorTest, ConversationRecordsEveryByteAndWhatItMeant) {
  OpenInUpdateMode();
  Send(kReadRecords);
  Send(kReadNotes);
  Send(kExit);
  EXPECT_FALSE(device.InUpdateMode());
  device.PortClosed();

  ASSERT_EQ(device.Conversations().size(), 1u);
  const Conversation& conversation = device.Conversations()[0];
  EXPECT_EQ(conversation.received, Concat({kRequest, kReadRecords, kReadNotes, kExit}));
  const std::vector<Heard> expected = {Heard::UpdateRequest, Heard::ReadRecords, Heard::ReadNotes, Heard::ExitMessage};
  EXPECT_EQ(conversation.heard, expected);
  EXPECT_TRUE(conversation.closed);
  EXPECT_FALSE(conversation.hungUp);
}

TEST_F(DeviceSimulatorTest, UploadConversationIsHeardAsFrameImageExit) {
  OpenInUpdateMode();
  const ByteVector image = PatternImage();
  Upload(image, XorChecksum(image));
  Send(kExit);
  const std::vector<Heard> expected = {Heard::UpdateRequest, Heard::WriteDatabase, Heard::Image, Heard::ExitMessage};
  EXPECT_EQ(device.Conversations().back().heard, expected);
  EXPECT_EQ(device.Conversations().back().received.size(), 18u + 7u + kFlashImageSize + 11u);
}

TEST_F(DeviceSimulatorTest, EachOpeningIsItsOwnConversation) {
  Open();
  Send(kExit);
  device.PortClosed();
  Open();
  EXPECT_FALSE(device.InUpdateMode());
  ASSERT_EQ(device.Conversations().size(), 2u);
  EXPECT_TRUE(device.Conversations()[0].closed);
  EXPECT_FALSE(device.Conversations()[1].closed);
  EXPECT_TRUE(device.Conversations()[1].received.empty());
}

TEST_F(DeviceSimulatorTest, ClosingDropsWhatWasNotTakenAndDeafensTheDevice) {
  device.PortOpened(kStart);
  device.PortClosed();
  EXPECT_TRUE(device.TakeOutput().empty());
  device.Receive(kRequest, kStart);
  EXPECT_TRUE(device.TakeOutput().empty());
  EXPECT_TRUE(device.Conversations().back().received.empty());
}

TEST_F(DeviceSimulatorTest, UnpacedBytesAreReadyWhenSentAndAnswersWhenAsked) {
  device.PortOpened(kStart);
  for (const TimedByte& byte : device.TakeOutput()) EXPECT_EQ(byte.readyAt, kStart);
  const Instant later = kStart + milliseconds(40);
  device.Receive(kRequest, later);
  for (const TimedByte& byte : device.TakeOutput()) EXPECT_EQ(byte.readyAt, later);
}

class PacedDeviceTest : public DeviceSimulatorTest {
 protected:
  PacedDeviceTest() : DeviceSimulatorTest(DeviceTiming{kPacedByteTime, milliseconds(800)}) {}
};

TEST_F(PacedDeviceTest, BytesLeaveAtLineSpeed) {
  device.PortOpened(kStart);
  const std::vector<TimedByte> banner = device.TakeOutput();
  ASSERT_EQ(banner.size(), 23u);
  for (std::size_t i = 0; i < banner.size(); ++i) EXPECT_EQ(banner[i].readyAt, kStart + kPacedByteTime * (i + 1));
  // The whole banner is in well within a 100 ms read.
  EXPECT_LT(banner.back().readyAt - kStart, milliseconds(3));
}

TEST_F(PacedDeviceTest, AnswerWaitsForTheLineToBeFree) {
  device.PortOpened(kStart);
  const Instant bannerDone = device.TakeOutput().back().readyAt;
  device.Receive(kRequest, kStart);  // before the banner has finished going out
  const std::vector<TimedByte> answer = device.TakeOutput();
  EXPECT_EQ(answer.front().readyAt, bannerDone + kPacedByteTime);
}

TEST_F(PacedDeviceTest, GoodVerdictComesAfterTheFlashErase) {
  OpenInUpdateMode();
  device.TakeOutput();
  const ByteVector image = PatternImage();
  const Instant imageDone = kStart + std::chrono::seconds(5);
  device.Receive(WriteDatabaseFrame(kFlashImageSize, XorChecksum(image)), kStart);
  device.Receive(image, imageDone);
  const std::vector<TimedByte> verdict = device.TakeOutput();
  ASSERT_EQ(verdict.size(), 30u);
  EXPECT_EQ(verdict.front().readyAt, imageDone + milliseconds(800) + kPacedByteTime);
}

}  // namespace
}  // namespace userdb::sim
