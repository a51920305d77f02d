// The progress display and the conversation trace, as they watch a line.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cli/conversation_trace.h"
#include "cli/transfer_progress.h"
#include "sim/virtual_clock.h"

namespace userdb::cli {
namespace {

using std::chrono::milliseconds;

const std::vector<std::uint8_t> kTenBytes(10, 0xAB);

TEST(TransferProgress, PlainLinesMarkEachQuarterWithBytesPercentAndRate) {
  sim::VirtualClock clock;
  std::ostringstream out;
  TransferProgress progress(out, clock, ProgressStyle::Lines);
  progress.Expect("download", TransferDirection::FromDevice, 40);
  for (int i = 0; i < 4; ++i) {
    progress.Received(kTenBytes, false);
    progress.Sent(kTenBytes, false);  // the other direction does not count
    clock.Advance(milliseconds(10));
  }
  progress.Closed();
  EXPECT_EQ(out.str(),
            "download:  25%  10/40 bytes\n"
            "download:  50%  20/40 bytes  2.0 kB/s\n"
            "download:  75%  30/40 bytes  1.5 kB/s\n"
            "download: 100%  40/40 bytes  1.3 kB/s\n");
}

TEST(TransferProgress, ABarIsRedrawnInPlaceAndEndedByTheClose) {
  sim::VirtualClock clock;
  std::ostringstream out;
  TransferProgress progress(out, clock, ProgressStyle::Bar);
  progress.Expect("upload", TransferDirection::ToDevice, 20);
  progress.Sent(kTenBytes, false);
  clock.Advance(milliseconds(100));
  progress.Sent(kTenBytes, false);
  progress.Sent(kTenBytes, false);  // more than expected stays at 100%, unshown
  progress.Closed();
  EXPECT_EQ(out.str(),
            "\rupload [###############...............]  50%  10/20 bytes"
            "\rupload [##############################] 100%  20/20 bytes  0.2 kB/s\n");

  out.str("");
  progress.Sent(kTenBytes, false);  // a conversation nobody announced shows nothing
  progress.Closed();
  EXPECT_EQ(out.str(), "");
}

TEST(TransferProgress, SilentShowsNothing) {
  sim::VirtualClock clock;
  std::ostringstream out;
  TransferProgress progress(out, clock, ProgressStyle::Silent);
  progress.Expect("upload", TransferDirection::ToDevice, 10);
  progress.Sent(kTenBytes, false);
  progress.Closed();
  EXPECT_EQ(out.str(), "");
}

TEST(ConversationTrace, EachReadAndWriteIsATimestampedLineOfHex) {
  sim::VirtualClock clock;
  clock.Advance(std::chrono::seconds(7));  // the trace counts from its own start
  std::ostringstream out;
  ConversationTrace trace(out, clock);
  trace.Opened(7, true);
  clock.Advance(std::chrono::microseconds(1500));
  trace.Sent(std::vector<std::uint8_t>{0x4B, 0x27, 0x00}, false);
  clock.Advance(std::chrono::seconds(2));
  trace.Received({}, false);
  trace.Received(std::vector<std::uint8_t>{0xFF}, true);
  trace.Closed();
  trace.Opened(9, false);
  EXPECT_EQ(out.str(),
            "# userdb conversation: seconds, > to the device, < from the device\n"
            "0.000000 open COM7\n"
            "0.001500 > 4B 27 00\n"
            "2.001500 < (nothing)\n"
            "2.001500 < FF (line lost)\n"
            "2.001500 close\n"
            "2.001500 open COM9 failed\n");
}

}  // namespace
}  // namespace userdb::cli
