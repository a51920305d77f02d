#pragma once
// A line that damages chosen bytes of every conversation: each event names a direction, the
// index of a byte counted from the port's open, and what happens to that byte.

#include <string>
#include <vector>

#include "sim/line_faults.h"

namespace userdb::sim {

enum class LineDirection { ToProgram, ToDevice };

enum class LineDamage {
  Drop,       // the byte is lost
  Duplicate,  // the byte arrives twice
  Corrupt,    // the byte arrives with some bits flipped
  Pause,      // to the program: the line goes quiet before the byte; to the device: the port takes nothing
  HangUp,     // the line drops before the byte
};

struct LineEvent {
  LineDirection direction = LineDirection::ToProgram;
  LineDamage damage = LineDamage::Drop;
  std::size_t atByte = 0;
  Duration pause{};          // Pause only
  std::uint8_t flip = 0xFF;  // Corrupt only: the bits that change

  bool operator==(const LineEvent&) const = default;
};

// "to device: corrupt byte 20 (^0x40)" and the like, to replay a run by hand.
std::string Describe(const LineEvent& event);
std::string Describe(const std::vector<LineEvent>& events);

class DamagedLine final : public LineFaults {
 public:
  explicit DamagedLine(std::vector<LineEvent> events = {}) : events_(std::move(events)) {}

  // Takes effect from the next open on.
  void SetEvents(std::vector<LineEvent> events) { events_ = std::move(events); }
  const std::vector<LineEvent>& Events() const { return events_; }

  void LineOpened(Instant now) override;
  void ToProgram(std::vector<TimedByte>& bytes) override;
  PortIntake ToDevice(std::span<const std::uint8_t> offered, Instant now) override;
  std::optional<Instant> DroppedAt() const override { return droppedAt_; }

 private:
  // What the events at one byte do to it, all together.
  struct ByteFate {
    int copies = 1;
    std::uint8_t flip = 0;
    std::optional<std::size_t> pauseEvent;
    bool hangUp = false;
  };
  ByteFate FateOf(LineDirection direction, std::size_t index) const;

  // Applies the events at this index to the byte; false when the line dropped before it.
  bool DamageToProgram(std::size_t index, TimedByte& byte, std::vector<TimedByte>& passed);
  // False when the port stops taking bytes at this index for now.
  bool DamageToDevice(std::size_t index, std::uint8_t byte, Instant now, PortIntake& intake);

  std::vector<LineEvent> events_;
  std::vector<bool> fired_;  // a stall starts once, however often its byte is offered again
  std::size_t toProgramCount_ = 0;
  std::size_t toDeviceCount_ = 0;
  Instant lastArrival_{};
  std::optional<Instant> stalledUntil_;
  std::optional<Instant> droppedAt_;
};

}  // namespace userdb::sim
