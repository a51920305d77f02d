#include "sim/line_damage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace userdb::sim {
namespace {

std::string DamageText(const LineEvent& event) {
  switch (event.damage) {
    case LineDamage::Drop:
      return "drop";
    case LineDamage::Duplicate:
      return "duplicate";
    case LineDamage::Corrupt: {
      char flip[8];
      std::snprintf(flip, sizeof flip, "^0x%02X", event.flip);
      return std::string("corrupt (") + flip + ")";
    }
    case LineDamage::Pause: {
      const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(event.pause).count();
      return std::string(event.direction == LineDirection::ToProgram ? "pause " : "stall ") + std::to_string(millis) +
             " ms at";
    }
    case LineDamage::HangUp:
      return "hang up at";
  }
  return "?";
}

}  // namespace

std::string Describe(const LineEvent& event) {
  const char* direction = event.direction == LineDirection::ToProgram ? "to program" : "to device";
  return std::string(direction) + ": " + DamageText(event) + " byte " + std::to_string(event.atByte);
}

std::string Describe(const std::vector<LineEvent>& events) {
  if (events.empty()) return "clean line";
  std::string text;
  for (const LineEvent& event : events) text += (text.empty() ? "" : "; ") + Describe(event);
  return text;
}

void DamagedLine::LineOpened(Instant now) {
  fired_.assign(events_.size(), false);
  toProgramCount_ = 0;
  toDeviceCount_ = 0;
  lastArrival_ = now;
  stalledUntil_.reset();
  droppedAt_.reset();
}

void DamagedLine::ToProgram(std::vector<TimedByte>& bytes) {
  std::vector<TimedByte> passed;
  passed.reserve(bytes.size());
  for (TimedByte byte : bytes) {
    if (!DamageToProgram(toProgramCount_++, byte, passed)) break;
  }
  bytes = std::move(passed);
}

DamagedLine::ByteFate DamagedLine::FateOf(LineDirection direction, std::size_t index) const {
  ByteFate fate;
  for (std::size_t i = 0; i < events_.size(); ++i) {
    const LineEvent& event = events_[i];
    if (event.direction != direction || event.atByte != index) continue;
    switch (event.damage) {
      case LineDamage::Drop:
        fate.copies = 0;
        break;
      case LineDamage::Duplicate:
        fate.copies = 2;
        break;
      case LineDamage::Corrupt:
        fate.flip ^= event.flip;
        break;
      case LineDamage::Pause:
        fate.pauseEvent = i;
        break;
      case LineDamage::HangUp:
        fate.hangUp = true;
        break;
    }
  }
  return fate;
}

bool DamagedLine::DamageToProgram(std::size_t index, TimedByte& byte, std::vector<TimedByte>& passed) {
  if (droppedAt_) return false;
  // A pause holds back every later byte too: the line delivers in order.
  byte.readyAt = std::max(byte.readyAt, lastArrival_);
  const ByteFate fate = FateOf(LineDirection::ToProgram, index);
  if (fate.pauseEvent) byte.readyAt += events_[*fate.pauseEvent].pause;
  if (fate.hangUp) {
    droppedAt_ = byte.readyAt;
    return false;
  }
  byte.value ^= fate.flip;
  lastArrival_ = byte.readyAt;
  passed.insert(passed.end(), static_cast<std::size_t>(fate.copies), byte);
  return true;
}

PortIntake DamagedLine::ToDevice(std::span<const std::uint8_t> offered, Instant now) {
  PortIntake intake;
  if (droppedAt_ || (stalledUntil_ && now < *stalledUntil_)) return intake;
  for (std::uint8_t byte : offered) {
    if (!DamageToDevice(toDeviceCount_, byte, now, intake)) break;
    ++toDeviceCount_;
    ++intake.taken;
  }
  return intake;
}

bool DamagedLine::DamageToDevice(std::size_t index, std::uint8_t byte, Instant now, PortIntake& intake) {
  const ByteFate fate = FateOf(LineDirection::ToDevice, index);
  // A stall starts once; when it is over, the port takes the byte it stopped at.
  if (fate.pauseEvent && !fired_[*fate.pauseEvent]) {
    fired_[*fate.pauseEvent] = true;
    stalledUntil_ = now + events_[*fate.pauseEvent].pause;
    return false;
  }
  if (fate.hangUp) {
    droppedAt_ = now;
    return false;
  }
  intake.arriving.insert(intake.arriving.end(), static_cast<std::size_t>(fate.copies),
                         static_cast<std::uint8_t>(byte ^ fate.flip));
  return true;
}

}  // namespace userdb::sim
