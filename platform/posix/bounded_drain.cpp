#include "platform/posix/bounded_drain.h"

#include <chrono>

namespace userdb::posix {
namespace {

// At 115200 baud two milliseconds are some 23 bytes: an exit message leaves within one wait.
constexpr std::chrono::milliseconds kPoll{2};

}  // namespace

bool DrainWithin(Duration limit, const DrainSeams& seams) {
  const Instant deadline = seams.clock.Now() + limit;
  for (;;) {
    const std::optional<int> unsent = seams.bytesUnsent();
    if (!unsent || *unsent <= 0) return true;
    if (seams.clock.Now() >= deadline) return false;
    seams.sleep(kPoll);
  }
}

}  // namespace userdb::posix
