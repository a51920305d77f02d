#pragma once
// A monotonic clock, so that bounded waits can run on real or on virtual time.

#include <chrono>

namespace userdb {

using Duration = std::chrono::nanoseconds;
using Instant = std::chrono::time_point<std::chrono::steady_clock, Duration>;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Instant Now() const = 0;
};

class SteadyClock final : public Clock {
 public:
  Instant Now() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace userdb
