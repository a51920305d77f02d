#include "sim/random_faults.h"

#include <algorithm>
#include <chrono>

namespace userdb::sim {
namespace {

using std::chrono::milliseconds;

// Pauses on the way to the program straddle the 100 ms read limit and the program's limit for a
// lull; stalls of the port straddle its 2 s write limit.
constexpr std::uint64_t kShortestPauseMs = 20;
constexpr std::uint64_t kLongestPauseMs = 900;
constexpr std::uint64_t kShortestStallMs = 200;
constexpr std::uint64_t kLongestStallMs = 3000;

int DrawEventCount(SeededRandom& random) {
  // Some conversations stay clean, so that a clean one after damaged ones is tried too.
  constexpr int kWeights[kMostEventsPerConversation + 1] = {20, 40, 25, 15};
  int roll = static_cast<int>(random.Below(100));
  for (int count = 0; count < kMostEventsPerConversation; ++count) {
    if (roll < kWeights[count]) return count;
    roll -= kWeights[count];
  }
  return kMostEventsPerConversation;
}

std::size_t DrawPosition(SeededRandom& random) {
  const std::size_t span = random.Chance(50) ? kShortAnswerBytes : kWholeConversationBytes;
  return static_cast<std::size_t>(random.Below(span));
}

Duration DrawBetween(SeededRandom& random, std::uint64_t shortestMs, std::uint64_t longestMs) {
  return milliseconds(static_cast<std::int64_t>(shortestMs + random.Below(longestMs - shortestMs + 1)));
}

LineDamage DrawToProgramDamage(SeededRandom& random) {
  const std::uint64_t roll = random.Below(100);
  if (roll < 20) return LineDamage::Drop;
  if (roll < 40) return LineDamage::Duplicate;
  if (roll < 65) return LineDamage::Corrupt;
  if (roll < 90) return LineDamage::Pause;
  return LineDamage::HangUp;
}

LineDamage DrawToDeviceDamage(SeededRandom& random, bool corrupted) {
  const std::uint64_t roll = random.Below(100);
  if (roll < 30) return LineDamage::Drop;
  if (roll < 55) return corrupted ? LineDamage::Drop : LineDamage::Corrupt;
  if (roll < 85) return LineDamage::Pause;
  return LineDamage::HangUp;
}

// A radio link's lulls alone, anywhere after the banner's first byte: nothing may be lost to them.
std::vector<LineEvent> DrawLulls(SeededRandom& random) {
  std::vector<LineEvent> events;
  const int count = 1 + static_cast<int>(random.Below(kMostEventsPerConversation));
  for (int i = 0; i < count; ++i) {
    LineEvent event{LineDirection::ToProgram, LineDamage::Pause, 1 + DrawPosition(random)};
    event.pause = DrawBetween(random, kShortestPauseMs, kLongestLullMs);
    events.push_back(event);
  }
  return events;
}

std::vector<LineEvent> DrawDamage(SeededRandom& random) {
  const LineDirection direction = random.Chance(60) ? LineDirection::ToProgram : LineDirection::ToDevice;
  const int count = DrawEventCount(random);
  std::vector<LineEvent> events;
  bool corrupted = false;
  for (int i = 0; i < count; ++i) {
    LineEvent event;
    event.direction = direction;
    event.damage =
        direction == LineDirection::ToProgram ? DrawToProgramDamage(random) : DrawToDeviceDamage(random, corrupted);
    event.atByte = DrawPosition(random);
    corrupted = corrupted || event.damage == LineDamage::Corrupt;
    if (event.damage == LineDamage::Corrupt) event.flip = static_cast<std::uint8_t>(1 + random.Below(255));
    if (event.damage == LineDamage::Pause) {
      event.pause = direction == LineDirection::ToProgram ? DrawBetween(random, kShortestPauseMs, kLongestPauseMs)
                                                          : DrawBetween(random, kShortestStallMs, kLongestStallMs);
    }
    events.push_back(event);
  }
  return events;
}

}  // namespace

std::uint64_t SeededRandom::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

bool OnlyLulls(const std::vector<LineEvent>& events) {
  return std::all_of(events.begin(), events.end(), [](const LineEvent& event) {
    return event.direction == LineDirection::ToProgram && event.damage == LineDamage::Pause && event.atByte > 0 &&
           event.pause <= milliseconds(kLongestLullMs);
  });
}

std::vector<LineEvent> DrawConversationDamage(SeededRandom& random) {
  std::vector<LineEvent> events = random.Chance(kLullOnlyPercent) ? DrawLulls(random) : DrawDamage(random);
  std::stable_sort(events.begin(), events.end(),
                   [](const LineEvent& a, const LineEvent& b) { return a.atByte < b.atByte; });
  return events;
}

void RandomFaults::LineOpened(Instant now) {
  drawn_.push_back(DrawConversationDamage(random_));
  line_.SetEvents(drawn_.back());
  line_.LineOpened(now);
}

}  // namespace userdb::sim
