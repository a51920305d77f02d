#include "sim/transmitter.h"

#include <algorithm>
#include <utility>

namespace userdb::sim {

void Transmitter::Restart(Instant now) {
  output_.clear();
  freeAt_ = now;
}

void Transmitter::Send(std::span<const std::uint8_t> bytes, Instant now) {
  Instant at = std::max(now, freeAt_);
  for (std::uint8_t byte : bytes) {
    at += byteTime_;
    output_.push_back({at, byte});
  }
  freeAt_ = at;
}

void Transmitter::Pause(Duration pause, Instant now) { freeAt_ = std::max(now, freeAt_) + pause; }

std::vector<TimedByte> Transmitter::TakeOutput() { return std::exchange(output_, {}); }

}  // namespace userdb::sim
