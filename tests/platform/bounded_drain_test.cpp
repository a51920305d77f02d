#include "platform/posix/bounded_drain.h"

#include <gtest/gtest.h>

namespace userdb::posix {
namespace {

using std::chrono::milliseconds;

class ManualClock final : public Clock {
 public:
  Instant Now() const override { return now; }
  Instant now{};
};

TEST(BoundedDrainTest, WaitsWhileBytesLeaveAndNeverPastTheBound) {
  ManualClock clock;
  int unsent = 30;
  const DrainSeams leaving{[&unsent] { return std::optional<int>(unsent); },
                           [&](Duration span) {
                             clock.now += span;
                             unsent = std::max(0, unsent - 10);
                           },
                           clock};
  EXPECT_TRUE(DrainWithin(std::chrono::seconds(2), leaving));
  EXPECT_EQ(unsent, 0);
  EXPECT_LT(clock.now - Instant{}, milliseconds(10));

  // A wedged adapter: nothing ever leaves.
  clock.now = Instant{};
  const DrainSeams wedged{[] { return std::optional<int>(11); }, [&](Duration span) { clock.now += span; }, clock};
  EXPECT_FALSE(DrainWithin(std::chrono::seconds(2), wedged));
  EXPECT_GE(clock.now - Instant{}, std::chrono::seconds(2));
  EXPECT_LT(clock.now - Instant{}, std::chrono::seconds(2) + milliseconds(10));

  // A driver that cannot tell is not waited for.
  const DrainSeams silent{[] { return std::optional<int>(); }, [&](Duration) { FAIL() << "waited"; }, clock};
  EXPECT_TRUE(DrainWithin(std::chrono::seconds(2), silent));
}

}  // namespace
}  // namespace userdb::posix
