#include "sim/in_process_port.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/sim/line_bytes.h"

namespace userdb::sim {
namespace {

using namespace test;
using std::chrono::milliseconds;

const ByteVector kBanner = Text("Quillborne Tech. Co.\r\n");

class InProcessPortTest : public ::testing::Test {
 protected:
  explicit InProcessPortTest(Duration byteTime = Duration::zero())
      : device(SampleMemory(), DeviceTiming{byteTime, milliseconds(500)}), port(clock, byteTime) {
    port.Attach(3, device);
    port.AddSilentPort(4);
    port.AddHeldPort(5);
  }

  // Reads count bytes; what came, and how long the read took on the line's clock.
  struct Read {
    ByteVector bytes;
    Duration took;
    bool lineLost;
  };
  Read ReadBytes(std::size_t count) {
    ByteVector buffer(count);
    const Instant start = clock.Now();
    const ReadResult result = port.ReadOnce(buffer);
    buffer.resize(result.count);
    return {buffer, clock.Now() - start, result.lineLost};
  }
  void Write(const ByteVector& bytes) { ASSERT_EQ(port.Write(bytes).count, bytes.size()); }

  VirtualClock clock;
  DeviceSimulator device;
  InProcessPort port;
};

TEST_F(InProcessPortTest, OnlyPortsWithSomethingOnThemOpen) {
  EXPECT_FALSE(port.Open(1));  // absent
  EXPECT_FALSE(port.Open(5));  // held
  EXPECT_TRUE(port.Open(4));   // silent
  port.Close();
  EXPECT_TRUE(port.Open(3));
  EXPECT_TRUE(port.IsOpen());
  EXPECT_FALSE(port.Open(4));  // one port at a time
  const std::vector<int> attempts = {1, 5, 4, 3, 4};
  EXPECT_EQ(port.OpenAttempts(), attempts);
  EXPECT_EQ(port.OpenCount(), 2);
  EXPECT_EQ(port.CloseCount(), 1);
}

TEST_F(InProcessPortTest, ReadReturnsAtOnceWhenTheBufferFills) {
  ASSERT_TRUE(port.Open(3));
  const Read read = ReadBytes(23);
  EXPECT_EQ(read.bytes, kBanner);
  EXPECT_EQ(read.took, Duration::zero());
  EXPECT_FALSE(read.lineLost);
}

TEST_F(InProcessPortTest, ReadWithNothingArrivingTakes100Milliseconds) {
  ASSERT_TRUE(port.Open(4));
  const Read read = ReadBytes(23);
  EXPECT_TRUE(read.bytes.empty());
  EXPECT_EQ(read.took, milliseconds(100));
  EXPECT_FALSE(read.lineLost);
}

TEST_F(InProcessPortTest, ShortReadTakes100MillisecondsAndLeavesTheRestOfTheBuffer) {
  ASSERT_TRUE(port.Open(3));
  std::array<std::uint8_t, 30> buffer;
  buffer.fill(0xEE);
  const Instant start = clock.Now();
  EXPECT_EQ(port.ReadOnce(buffer).count, 23u);
  EXPECT_EQ(clock.Now() - start, milliseconds(100));
  EXPECT_TRUE(std::equal(kBanner.begin(), kBanner.end(), buffer.begin()));
  for (std::size_t i = 23; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xEE) << i;
}

TEST_F(InProcessPortTest, BytesDueAfterTheReadsLimitWaitForTheNextRead) {
  device.Faults().stallInRecord = 0;
  ASSERT_TRUE(port.Open(3));
  ReadBytes(23);
  Write(kRequest);
  ReadBytes(10);
  Write(kReadRecords);
  EXPECT_EQ(ReadBytes(16).bytes.size(), 16u);  // header
  const Read firstHalf = ReadBytes(16);
  EXPECT_EQ(firstHalf.bytes.size(), 8u);
  EXPECT_EQ(firstHalf.took, milliseconds(100));
  // The 250 ms stall outlasts the next read too; the read after it gets the rest.
  const Read during = ReadBytes(8);
  EXPECT_TRUE(during.bytes.empty());
  EXPECT_EQ(during.took, milliseconds(100));
  const Read secondHalf = ReadBytes(8);
  EXPECT_EQ(secondHalf.bytes.size(), 8u);
  EXPECT_EQ(secondHalf.took, milliseconds(50));
}

TEST_F(InProcessPortTest, WholeDownloadNeverWaitsOutALimit) {
  ASSERT_TRUE(port.Open(3));
  const Instant start = clock.Now();
  EXPECT_EQ(ReadBytes(23).bytes.size(), 23u);
  Write(kRequest);
  EXPECT_EQ(ReadBytes(10).bytes, Text("KT GPS+BT"));
  Write(kReadRecords);
  for (int block = 0; block < 257; ++block) ASSERT_EQ(ReadBytes(16).bytes.size(), 16u) << block;
  Write(kReadNotes);
  for (int piece = 0; piece < 1024; ++piece) ASSERT_EQ(ReadBytes(32).bytes.size(), 32u) << piece;
  Write(kExit);
  port.Close();
  EXPECT_EQ(clock.Now(), start);
}

TEST_F(InProcessPortTest, SessionsKeepBothDirectionsAndTheDeviceSeesTheClose) {
  ASSERT_TRUE(port.Open(3));
  ReadBytes(23);
  Write(kRequest);
  ReadBytes(10);
  Write(kExit);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  ASSERT_EQ(port.Sessions().size(), 1u);
  const PortSession& session = port.Sessions()[0];
  EXPECT_EQ(session.portNumber, 3);
  EXPECT_EQ(session.written, Concat({kRequest, kExit}));
  EXPECT_EQ(session.delivered, Concat({kBanner, Text("KT GPS+BT")}));
  EXPECT_TRUE(session.closed);
  EXPECT_TRUE(device.Conversations().back().closed);
  EXPECT_EQ(device.Conversations().back().received, session.written);
}

TEST_F(InProcessPortTest, UnreadBytesDoNotOutliveTheConversation) {
  ASSERT_TRUE(port.Open(3));
  port.Close();
  ASSERT_TRUE(port.Open(3));
  EXPECT_EQ(ReadBytes(46).bytes, kBanner);
}

TEST_F(InProcessPortTest, StalledWritesTakeNothingAfter100Milliseconds) {
  ASSERT_TRUE(port.Open(3));
  port.StallWrites(true);
  const Instant start = clock.Now();
  const WriteResult result = port.Write(kRequest);
  EXPECT_EQ(result.count, 0u);
  EXPECT_FALSE(result.lineLost);
  EXPECT_EQ(clock.Now() - start, milliseconds(100));
  EXPECT_TRUE(device.Conversations().back().received.empty());
}

TEST_F(InProcessPortTest, HangUpIsReportedOnceTheLastByteIsRead) {
  device.Faults().hangUpAfter = PhaseCount{Phase::Handshake, 4};
  ASSERT_TRUE(port.Open(3));
  ReadBytes(23);
  Write(kRequest);
  const Read partial = ReadBytes(10);
  EXPECT_EQ(partial.bytes, ByteVector({'K', 'T', ' ', 'G'}));
  EXPECT_TRUE(partial.lineLost);
  EXPECT_LT(partial.took, milliseconds(100));
  EXPECT_TRUE(ReadBytes(10).lineLost);
  EXPECT_TRUE(port.Write(kExit).lineLost);
}

TEST_F(InProcessPortTest, ClosedPortReportsTheLineLost) {
  ByteVector buffer(4);
  EXPECT_TRUE(port.ReadOnce(buffer).lineLost);
  EXPECT_TRUE(port.Write(kExit).lineLost);
  port.Close();
  EXPECT_EQ(port.CloseCount(), 0);
}

class PacedPortTest : public InProcessPortTest {
 protected:
  PacedPortTest() : InProcessPortTest(kPacedByteTime) {}
};

TEST_F(PacedPortTest, ReadEndsWhenTheLastByteArrives) {
  ASSERT_TRUE(port.Open(3));
  const Read read = ReadBytes(23);
  EXPECT_EQ(read.bytes, kBanner);
  EXPECT_EQ(read.took, kPacedByteTime * 23);
}

TEST_F(PacedPortTest, WritesTakeTheirLineTimeAndTheAnswerFollowsThem) {
  ASSERT_TRUE(port.Open(3));
  ReadBytes(23);
  const Instant start = clock.Now();
  Write(kRequest);
  EXPECT_EQ(clock.Now() - start, kPacedByteTime * 18);
  const Read answer = ReadBytes(10);
  EXPECT_EQ(answer.bytes, Text("KT GPS+BT"));
  EXPECT_EQ(answer.took, kPacedByteTime * 10);
}

}  // namespace
}  // namespace userdb::sim
