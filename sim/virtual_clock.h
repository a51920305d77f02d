#pragma once
// A clock whose time moves only when told, so that waits of any length cost no real time.

#include <algorithm>

#include "device/clock.h"

namespace userdb::sim {

class VirtualClock final : public Clock {
 public:
  Instant Now() const override { return now_; }
  void Advance(Duration step) { now_ += std::max(step, Duration::zero()); }
  // Moves to the given moment; a moment already past leaves the clock where it is.
  void AdvanceTo(Instant moment) { now_ = std::max(now_, moment); }

 private:
  Instant now_{};
};

}  // namespace userdb::sim
