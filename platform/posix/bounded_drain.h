#pragma once
// Waiting for written bytes to leave a port, but never for longer than a bound: a wedged
// adapter must not hold up the close for good.

#include <functional>
#include <optional>

#include "device/clock.h"

namespace userdb::posix {

struct DrainSeams {
  std::function<std::optional<int>()> bytesUnsent;  // nothing when the driver cannot tell
  std::function<void(Duration)> sleep;
  const Clock& clock;
};

// True once nothing is left to send (or the driver cannot tell); false when the bound passed.
bool DrainWithin(Duration limit, const DrainSeams& seams);

}  // namespace userdb::posix
