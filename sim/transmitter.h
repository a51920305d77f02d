#pragma once
// The device's sending side: stamps each byte with the earliest moment it can be read.

#include <cstdint>
#include <span>
#include <vector>

#include "device/clock.h"

namespace userdb::sim {

// 10 bits a byte (start, 8 data, stop) at 115200 baud: 86.8 microseconds.
inline constexpr Duration kPacedByteTime{86806};

struct TimedByte {
  Instant readyAt;
  std::uint8_t value = 0;

  bool operator==(const TimedByte&) const = default;
};

class Transmitter {
 public:
  // A byte time of zero puts every byte on the line the moment it is sent.
  explicit Transmitter(Duration byteTime) : byteTime_(byteTime) {}

  // A new conversation: nothing queued, the line free from now on.
  void Restart(Instant now);
  void Send(std::span<const std::uint8_t> bytes, Instant now);
  // Keeps the line quiet for the pause, counted from now or from the last byte, the later.
  void Pause(Duration pause, Instant now);
  // When the last byte sent so far will have arrived.
  Instant FreeAt() const { return freeAt_; }

  // Hands over the bytes sent since the last call, in the order of their times.
  std::vector<TimedByte> TakeOutput();

 private:
  Duration byteTime_;
  Instant freeAt_{};
  std::vector<TimedByte> output_;
};

}  // namespace userdb::sim
