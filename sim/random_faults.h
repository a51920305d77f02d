#pragma once
// A line that, from a seed, damages each conversation at random points: drops, repeats,
// corrupts or delays bytes, stalls the port and hangs up. The same seed gives the same damage
// on every platform, so a failing run can be replayed.

#include <cstdint>
#include <vector>

#include "sim/line_damage.h"

namespace userdb::sim {

// SplitMix64: small, fast and the same everywhere, unlike the standard distributions.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // A number from 0 to bound - 1; bound must be above 0.
  std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
  bool Chance(int percent) { return Below(100) < static_cast<std::uint64_t>(percent); }

 private:
  std::uint64_t state_;
};

// Most damage lands inside the first bytes, where the banner, the handshake and the short
// answers are; the rest anywhere in a whole image.
inline constexpr std::size_t kShortAnswerBytes = 160;
inline constexpr std::size_t kWholeConversationBytes = 37000;
inline constexpr int kMostEventsPerConversation = 3;
// Conversations whose only damage is lulls of a radio link, up to this long.
inline constexpr int kLullOnlyPercent = 25;
inline constexpr std::uint64_t kLongestLullMs = 500;

// Draws one conversation's damage. Damage that changes data goes one way only: on the way to
// the device at most one byte is corrupted and none repeated, since the device's exclusive-or
// checksum cannot see two flips that cancel or a repeat of a byte equal to the image's last.
// A bad write must reach the device as a bad checksum, not as a good one.
std::vector<LineEvent> DrawConversationDamage(SeededRandom& random);

// True when every event is a lull of at most kLongestLullMs after the banner's first byte.
bool OnlyLulls(const std::vector<LineEvent>& events);

class RandomFaults final : public LineFaults {
 public:
  explicit RandomFaults(std::uint64_t seed) : random_(seed) {}

  // Draws the damage for the conversation that begins.
  void LineOpened(Instant now) override;
  void ToProgram(std::vector<TimedByte>& bytes) override { line_.ToProgram(bytes); }
  PortIntake ToDevice(std::span<const std::uint8_t> offered, Instant now) override {
    return line_.ToDevice(offered, now);
  }
  std::optional<Instant> DroppedAt() const override { return line_.DroppedAt(); }

  // The damage of the current (or last) conversation.
  const std::vector<LineEvent>& Current() const { return line_.Events(); }
  // The damage of every conversation so far, in order.
  const std::vector<std::vector<LineEvent>>& Drawn() const { return drawn_; }

 private:
  SeededRandom random_;
  DamagedLine line_;
  std::vector<std::vector<LineEvent>> drawn_;
};

}  // namespace userdb::sim
