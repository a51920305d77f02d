// --wait: opening keeps trying a port that may still come, up to its bound, and says so once.

#include "cli/waiting_port.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli_fixture.h"

namespace userdb::cli {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The simulator's line, failing its first opens as a port does that is not ready yet.
class LateLine final : public PortRelay {
 public:
  LateLine(SerialPort& line, OpenStatus failure, int failures)
      : PortRelay(line), failure_(failure), failuresLeft_(failures) {}

  OpenResult Open(int portNumber) override {
    ++tries;
    if (failuresLeft_ == 0) return PortRelay::Open(portNumber);
    --failuresLeft_;
    return {failure_, "not yet", "/dev/ttyUSB0"};
  }

  int tries = 0;

 private:
  OpenStatus failure_;
  int failuresLeft_;
};

class WaitingPortTest : public CliFixture {
 protected:
  std::ostringstream told;
};

TEST_F(WaitingPortTest, APortThatComesWhileWaitingIsOpenedAndTheCommandRuns) {
  for (const OpenStatus failure : {OpenStatus::NoSuchPort, OpenStatus::Busy, OpenStatus::NoPermission}) {
    LateLine late(port, failure, 2);
    WaitingPort waiting(late, std::chrono::seconds(5), &told, std::nullopt);
    const auto start = SteadyClock::now();
    ASSERT_EQ(RunInfo(ContextOn(waiting)), exit_code::kSuccess) << errors.str();
    const auto waited = SteadyClock::now() - start;
    EXPECT_EQ(late.tries, 3);
    EXPECT_GE(waited, 2 * kPortPoll);
    EXPECT_LT(waited, std::chrono::seconds(2));
    waiting.Close();
  }
  EXPECT_EQ(told.str(),
            "userdb: waiting up to 5 s for /dev/ttyUSB0 (COM5) to appear\n"
            "userdb: waiting up to 5 s for /dev/ttyUSB0 (COM5) to be free\n"
            "userdb: waiting up to 5 s for /dev/ttyUSB0 (COM5) to let this user open it\n");
}

TEST_F(WaitingPortTest, AtItsBoundTheWaitEndsWithTheLastFailure) {
  LateLine never(port, OpenStatus::NoSuchPort, 1000);
  WaitingPort waiting(never, std::chrono::seconds(1), &told, std::string("/dev/rfcomm0"));
  const auto start = SteadyClock::now();
  const OpenResult result = waiting.Open(2);
  const auto waited = SteadyClock::now() - start;
  EXPECT_EQ(result.status, OpenStatus::NoSuchPort);
  EXPECT_EQ(result.systemMessage, "not yet");
  EXPECT_GE(waited, std::chrono::seconds(1));
  EXPECT_LT(waited, std::chrono::milliseconds(1500));
  EXPECT_GE(never.tries, 4);  // every 250 ms
  EXPECT_LE(never.tries, 6);
  EXPECT_EQ(told.str(), "userdb: waiting up to 1 s for /dev/rfcomm0 to appear\n");

  // Past the deadline, a later open of the same command tries once.
  const int before = never.tries;
  EXPECT_FALSE(waiting.Open(2));
  EXPECT_EQ(never.tries, before + 1);
}

TEST_F(WaitingPortTest, WithoutABoundOrForSettingsRefusedItTriesOnceAndSaysNothing) {
  LateLine unbounded(port, OpenStatus::NoSuchPort, 1);
  WaitingPort noWait(unbounded, std::chrono::seconds(0), &told, std::nullopt);
  EXPECT_EQ(noWait.Open(5).status, OpenStatus::NoSuchPort);
  EXPECT_EQ(unbounded.tries, 1);

  LateLine refusing(port, OpenStatus::SettingsRefused, 1);
  WaitingPort waiting(refusing, std::chrono::seconds(5), &told, std::nullopt);
  EXPECT_EQ(waiting.Open(5).status, OpenStatus::SettingsRefused);
  EXPECT_EQ(refusing.tries, 1);
  EXPECT_EQ(told.str(), "");

  // Quiet: the wait is the same, without the word.
  LateLine late(port, OpenStatus::NoSuchPort, 1);
  WaitingPort quiet(late, std::chrono::seconds(5), nullptr, std::nullopt);
  EXPECT_TRUE(quiet.Open(5));
  EXPECT_EQ(late.tries, 2);
  quiet.Close();
}

}  // namespace
}  // namespace userdb::cli
