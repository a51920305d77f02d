#pragma once
// Damage on the line between the program's port and a simulated device: what a Bluetooth link,
// a loose adapter or a noisy cable does to the bytes in either direction.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/clock.h"
#include "sim/transmitter.h"

namespace userdb::sim {

// What the port does with bytes the program writes.
struct PortIntake {
  std::size_t taken = 0;               // bytes the port accepted; 0 while the line is stalled
  std::vector<std::uint8_t> arriving;  // what of them reaches the device, in order
};

class LineFaults {
 public:
  virtual ~LineFaults() = default;

  // A new conversation begins: the port was just opened.
  virtual void LineOpened(Instant now) = 0;
  // The device's bytes on their way to the program, in order; may drop, repeat, change or hold them back.
  virtual void ToProgram(std::vector<TimedByte>& bytes) = 0;
  // The program's bytes offered to the port at this moment.
  virtual PortIntake ToDevice(std::span<const std::uint8_t> offered, Instant now) = 0;
  // When the line dropped in this conversation, if it has.
  virtual std::optional<Instant> DroppedAt() const = 0;
};

}  // namespace userdb::sim
