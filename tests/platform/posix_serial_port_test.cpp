#include "platform/posix/posix_serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <fstream>
#include <numeric>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "pty_pair.h"
#include "scoped_ports_folder.h"

namespace userdb {
namespace {

using std::chrono::milliseconds;
using Stopwatch = std::chrono::steady_clock;

constexpr int kMappedPort = 5;
// Generous upper bounds: a loaded two-core machine may be slow to wake a thread, never early.
constexpr milliseconds kLimitFloor{95};
constexpr milliseconds kLimitCeiling{300};
constexpr milliseconds kPromptly{60};

milliseconds Since(Stopwatch::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Stopwatch::now() - start);
}

std::vector<std::uint8_t> EveryByteValue() {
  std::vector<std::uint8_t> bytes(256);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  return bytes;
}

class PosixSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.Create());
    ASSERT_FALSE(ports_.Folder().empty());
    ports_.Map(kMappedPort, pty_.SlavePath());
  }

  void OpenMappedPort() { ASSERT_TRUE(port_.Open(kMappedPort)); }

  // The device sends its bytes after a delay, from another thread, while the port waits.
  std::jthread SendLater(milliseconds delay, std::vector<std::uint8_t> bytes) {
    return std::jthread([this, delay, bytes = std::move(bytes)] {
      std::this_thread::sleep_for(delay);
      EXPECT_TRUE(pty_.SendFromDevice(bytes));
    });
  }

  test::PtyPair pty_;
  test::ScopedPortsFolder ports_;
  PosixSerialPort port_;
};

// --- Opening ---

TEST_F(PosixSerialPortTest, OpensThroughPortsFolderWithRaw8N1At115200) {
  OpenMappedPort();
  EXPECT_TRUE(port_.IsOpen());
  termios line{};
  ASSERT_EQ(tcgetattr(pty_.MasterFd(), &line), 0);  // a pty master reports its slave's settings
  EXPECT_EQ(cfgetospeed(&line), B115200);
  EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(line.c_oflag & OPOST, 0u);
}

TEST_F(PosixSerialPortTest, OpenIsExclusiveUntilClosed) {
  OpenMappedPort();
  PosixSerialPort second;
  EXPECT_FALSE(second.Open(kMappedPort));
  EXPECT_FALSE(second.OpenPath(pty_.SlavePath()));
  EXPECT_FALSE(second.IsOpen());

  port_.Close();
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_TRUE(second.Open(kMappedPort));
  EXPECT_FALSE(port_.Open(kMappedPort));
}

TEST_F(PosixSerialPortTest, PortsThatNameNoUsableDeviceFailToOpen) {
  ports_.Map(7, ports_.Folder() / "unplugged");
  EXPECT_FALSE(port_.Open(7));
  EXPECT_FALSE(port_.Open(129));  // no fixed device and nothing in the ports folder
  EXPECT_FALSE(port_.Open(0));
  EXPECT_FALSE(port_.Open(257));
  EXPECT_FALSE(port_.OpenPath("/nonexistent/ttyUSB0"));
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(PosixSerialPortTest, DeviceRefusingTheSettingsIsLeftUnheld) {
  const std::filesystem::path notATty = ports_.Folder() / "plain-file";
  std::ofstream(notATty) << "x";
  EXPECT_FALSE(port_.OpenPath(notATty));
  EXPECT_FALSE(port_.IsOpen());

  const int probe = open(notATty.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(probe, 0);
  EXPECT_EQ(flock(probe, LOCK_EX | LOCK_NB), 0) << "the failed open kept its lock";
  close(probe);
}

TEST_F(PosixSerialPortTest, FailedOpenLeavesNoPortOpen) {
  OpenMappedPort();
  EXPECT_FALSE(port_.Open(129));
  EXPECT_FALSE(port_.IsOpen());
  PosixSerialPort other;
  EXPECT_TRUE(other.Open(kMappedPort)) << "the earlier port was still held";
}

// --- Reading ---

TEST_F(PosixSerialPortTest, ReadWithNothingComingReturnsZeroAfterTheLimit) {
  OpenMappedPort();
  std::array<std::uint8_t, 8> buffer{};
  const auto start = Stopwatch::now();
  const ReadResult result = port_.ReadOnce(buffer);
  const milliseconds elapsed = Since(start);
  EXPECT_EQ(result.count, 0u);
  EXPECT_FALSE(result.lineLost);
  EXPECT_GE(elapsed, kLimitFloor);
  EXPECT_LT(elapsed, kLimitCeiling);
}

TEST_F(PosixSerialPortTest, ReadReturnsAsSoonAsTheCountIsInEvenInPieces) {
  OpenMappedPort();
  std::array<std::uint8_t, 4> buffer{};
  const auto start = Stopwatch::now();
  {
    std::jthread first = SendLater(milliseconds{10}, {0x01, 0x02});
    std::jthread second = SendLater(milliseconds{30}, {0x03, 0x04});
    const ReadResult result = port_.ReadOnce(buffer);
    EXPECT_EQ(result.count, 4u);
    EXPECT_FALSE(result.lineLost);
  }
  EXPECT_LT(Since(start), kLimitFloor);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0x01, 0x02, 0x03, 0x04}));
}

TEST_F(PosixSerialPortTest, PartialReadReturnsWhatCameAndLeavesTheRestOfTheBuffer) {
  OpenMappedPort();
  ASSERT_TRUE(pty_.SendFromDevice(std::vector<std::uint8_t>{'K', 'T', 0}));
  std::array<std::uint8_t, 8> buffer;
  buffer.fill(0xAA);
  const auto start = Stopwatch::now();
  const ReadResult result = port_.ReadOnce(buffer);
  const milliseconds elapsed = Since(start);
  EXPECT_EQ(result.count, 3u);
  EXPECT_FALSE(result.lineLost);
  EXPECT_GE(elapsed, kLimitFloor);
  EXPECT_LT(elapsed, kLimitCeiling);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 8>{'K', 'T', 0, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
}

TEST_F(PosixSerialPortTest, EveryByteValuePassesUnchangedBothWays) {
  OpenMappedPort();
  const std::vector<std::uint8_t> bytes = EveryByteValue();

  ASSERT_TRUE(pty_.SendFromDevice(bytes));
  std::vector<std::uint8_t> received(bytes.size());
  EXPECT_EQ(port_.ReadOnce(received).count, bytes.size());
  EXPECT_EQ(received, bytes);

  const WriteResult written = port_.Write(bytes);
  EXPECT_EQ(written.count, bytes.size());
  EXPECT_FALSE(written.lineLost);
  EXPECT_EQ(pty_.ReceiveAtDevice(bytes.size() + 1, milliseconds{200}), bytes);
}

// --- Hang-up ---

TEST_F(PosixSerialPortTest, HangUpEndsAReadAtOnce) {
  OpenMappedPort();
  pty_.HangUp();
  std::array<std::uint8_t, 8> buffer{};
  const auto start = Stopwatch::now();
  const ReadResult result = port_.ReadOnce(buffer);
  EXPECT_LT(Since(start), kPromptly);
  EXPECT_TRUE(result.lineLost);
  EXPECT_EQ(result.count, 0u);
}

TEST_F(PosixSerialPortTest, HangUpDuringAReadEndsItWithoutWaitingOutTheLimit) {
  OpenMappedPort();
  std::array<std::uint8_t, 8> buffer{};
  const auto start = Stopwatch::now();
  ReadResult result;
  {
    std::jthread device([this] {
      std::this_thread::sleep_for(milliseconds{20});
      pty_.HangUp();
    });
    result = port_.ReadOnce(buffer);
  }
  EXPECT_LT(Since(start), kLimitFloor);
  EXPECT_TRUE(result.lineLost);
}

TEST_F(PosixSerialPortTest, WriteAfterHangUpReportsTheLineLost) {
  OpenMappedPort();
  pty_.HangUp();
  const std::array<std::uint8_t, 4> bytes{1, 2, 3, 4};
  const auto start = Stopwatch::now();
  const WriteResult result = port_.Write(bytes);
  EXPECT_LT(Since(start), kPromptly);
  EXPECT_TRUE(result.lineLost);
  EXPECT_EQ(result.count, 0u);
}

// --- Writing ---

TEST_F(PosixSerialPortTest, WriteToADeviceThatStopsReadingGivesUpAfterTheLimit) {
  OpenMappedPort();
  const std::vector<std::uint8_t> chunk(4096, 0x55);
  // Fill the line until it takes nothing more; the pty buffers well under a megabyte.
  WriteResult result{.count = chunk.size(), .lineLost = false};
  milliseconds lastElapsed{0};
  for (int attempt = 0; attempt < 256 && result.count > 0; ++attempt) {
    const auto start = Stopwatch::now();
    result = port_.Write(chunk);
    lastElapsed = Since(start);
  }
  EXPECT_EQ(result.count, 0u);
  EXPECT_FALSE(result.lineLost);
  EXPECT_GE(lastElapsed, kLimitFloor);
  EXPECT_LT(lastElapsed, kLimitCeiling);
}

TEST_F(PosixSerialPortTest, ClosedPortReportsTheLineLost) {
  std::array<std::uint8_t, 4> buffer{};
  EXPECT_TRUE(port_.ReadOnce(buffer).lineLost);
  EXPECT_TRUE(port_.Write(buffer).lineLost);

  OpenMappedPort();
  port_.Close();
  EXPECT_TRUE(port_.ReadOnce(buffer).lineLost);
}

}  // namespace
}  // namespace userdb
