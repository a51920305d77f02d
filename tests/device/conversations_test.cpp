// The device layer on its own: Download and Upload called as any front-end calls them, judged by
// the typed results they return and by what they told their seat, with no window in between.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "device/download.h"
#include "device/upload.h"
#include "recording_seat.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/sample_memory.h"
#include "sim/virtual_clock.h"

namespace userdb {
namespace {

constexpr int kDevicePort = 2;

class ConversationsTest : public ::testing::Test {
 protected:
  ConversationsTest() : port(clock), link(port) { port.Attach(kDevicePort, device); }

  TransferImage DeviceImage() const {
    TransferImage image{};
    std::copy(device.Memory().image.begin(), device.Memory().image.end(), image.begin());
    return image;
  }
  DownloadResult Download(int portNumber = kDevicePort) { return userdb::Download(link, portNumber, seat); }
  UploadOutcome Upload(const TransferImage& image) { return userdb::Upload(link, kDevicePort, image, seat); }
  bool PortClosedEveryTime() const { return !port.IsOpen() && port.OpenCount() == port.CloseCount(); }

  // An image the device does not hold yet: the sample with one point moved and renamed.
  TransferImage NewImage() const {
    UserDatabase database;
    database.SetImage(DeviceImage());
    database.SetPoint(3,
                      UserPoint{.longitude = 72902583, .latitude = 15025000, .speed = 32, .direction = 90, .type = 1});
    database.Note(3)[0] = 'Z';
    return database.Image();
  }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  DeviceLink link;
  RecordingSeat seat;
};

TEST_F(ConversationsTest, ADownloadReturnsTheWholeImageAndTheUnitAndSaysOnlyThatItWorked) {
  device.Memory().unit = kSpeedUnitMile;
  const DownloadResult result = Download();
  EXPECT_EQ(result.outcome, DownloadOutcome::Complete);
  EXPECT_EQ(result.image, DeviceImage());
  EXPECT_EQ(result.unit, kSpeedUnitMile);
  EXPECT_EQ(seat.events, (std::vector<std::string>{"handshake succeeded", "receiving"}));
  EXPECT_TRUE(PortClosedEveryTime());
}

TEST_F(ConversationsTest, ADeviceThatSendsOnlyItsPointsGivesTheSameImageAsOneThatSendsAll) {
  device.Lists() = sim::ListLength::Filled;
  const DownloadResult result = Download();
  ASSERT_EQ(result.outcome, DownloadOutcome::Complete);
  EXPECT_EQ(result.image, DeviceImage());

  // Nothing at all: the header alone, and the database is empty, not missing.
  device.Memory().image.fill(0xFF);
  const DownloadResult empty = Download();
  ASSERT_EQ(empty.outcome, DownloadOutcome::Complete);
  EXPECT_TRUE(std::all_of(empty.image.begin(), empty.image.end(), [](std::uint8_t byte) { return byte == 0xFF; }));
}

TEST_F(ConversationsTest, APortThatIsNotThereIsNotConnectedWithItsNumberAndWhy) {
  const DownloadResult result = Download(7);
  EXPECT_EQ(result.outcome, DownloadOutcome::NotConnected);
  ASSERT_EQ(seat.failures.size(), 1u);
  EXPECT_EQ(seat.failures[0].portNumber, 7);
  EXPECT_EQ(seat.failures[0].result.status, OpenStatus::NoSuchPort);
  EXPECT_EQ(seat.handshakes, 0);
  EXPECT_TRUE(device.Conversations().empty());
}

TEST_F(ConversationsTest, AWrongHandshakeAnswerIsNotConnectedAndToldBeforeThePortCloses) {
  device.Faults().wrongAnswer = true;
  EXPECT_EQ(Download().outcome, DownloadOutcome::NotConnected);
  EXPECT_EQ(seat.events, std::vector<std::string>{"no update mode"});
  EXPECT_TRUE(PortClosedEveryTime());

  device.Faults().wrongAnswer = false;
  device.Faults().answerWithoutZero = true;
  EXPECT_EQ(Upload(NewImage()), UploadOutcome::NotConnected);
  EXPECT_TRUE(seat.chunks.empty());
  EXPECT_EQ(device.UploadsApplied(), 0);
}

TEST_F(ConversationsTest, AStreamCutShortAnywhereIsIncompleteAndCarriesNoImage) {
  for (const sim::Phase phase : {sim::Phase::Records, sim::Phase::Notes}) {
    for (const std::size_t after : {std::size_t{0}, std::size_t{17}, std::size_t{4000}}) {
      device.Faults() = {};
      device.Faults().hangUpAfter = sim::PhaseCount{phase, after};
      const DownloadResult result = Download();
      EXPECT_EQ(result.outcome, DownloadOutcome::Incomplete) << sim::PhaseName(phase) << " " << after;
      EXPECT_EQ(result.image, TransferImage{}) << sim::PhaseName(phase) << " " << after;
      EXPECT_TRUE(PortClosedEveryTime());
    }
  }
}

TEST_F(ConversationsTest, AnUploadSendsEveryChunkInOrderAndSucceedsOnlyOnTheDevicesWord) {
  const TransferImage image = NewImage();
  EXPECT_EQ(Upload(image), UploadOutcome::Succeeded);
  std::vector<std::size_t> inOrder(kUploadChunkCount);
  std::iota(inOrder.begin(), inOrder.end(), 0);
  EXPECT_EQ(seat.chunks, inOrder);
  EXPECT_EQ(DeviceImage(), image);
  EXPECT_TRUE(PortClosedEveryTime());
}

TEST_F(ConversationsTest, AnUploadTheDeviceRefusesOrNeverJudgesIsNoSuccess) {
  const TransferImage before = DeviceImage();
  device.Faults().checksumError = true;
  EXPECT_EQ(Upload(NewImage()), UploadOutcome::ChecksumError);
  EXPECT_EQ(DeviceImage(), before);

  device.Faults() = {};
  device.Faults().noUpdateOver = true;
  const Instant start = clock.Now();
  EXPECT_EQ(Upload(NewImage()), UploadOutcome::Failed);
  EXPECT_LE(clock.Now() - start, kUploadAnswerLimit + std::chrono::seconds(5));  // bounded, however silent

  device.Faults() = {};
  device.Faults().hangUpAfter = sim::PhaseCount{sim::Phase::Upload, 20000};
  seat = RecordingSeat{};
  EXPECT_EQ(Upload(NewImage()), UploadOutcome::Failed);
  EXPECT_LT(seat.chunks.size(), kUploadChunkCount);  // a line that is gone ends the writing
  EXPECT_TRUE(PortClosedEveryTime());
}

}  // namespace
}  // namespace userdb
