#include "fuzz/scripted_answers.h"

#include <algorithm>
#include <chrono>

namespace userdb::fuzz {
namespace {

// The banner and the update answer: what the handshake needs to get into update mode.
constexpr std::size_t kHandshakeBytes = 23 + 10;
constexpr std::chrono::milliseconds kPauseUnit{10};

}  // namespace

std::vector<ScriptPiece> ParseScript(std::span<const std::uint8_t> input) {
  std::vector<ScriptPiece> script;
  while (input.size() >= 2) {
    const std::size_t length = std::min<std::size_t>(input[1], input.size() - 2);
    script.push_back(
        {kPauseUnit * input[0], {input.begin() + 2, input.begin() + 2 + static_cast<std::ptrdiff_t>(length)}});
    input = input.subspan(2 + length);
  }
  return script;
}

void ScriptedAnswers::LineOpened(Instant) {
  passed_ = 0;
  played_ = false;
  droppedAt_.reset();
}

void ScriptedAnswers::ToProgram(std::vector<sim::TimedByte>& bytes) {
  std::vector<sim::TimedByte> delivered;
  for (const sim::TimedByte& byte : bytes) {
    if (passed_ < kHandshakeBytes) {
      delivered.push_back(byte);
      ++passed_;
      continue;
    }
    if (played_) continue;
    // The device's first answer after the handshake: the script takes its place from here on.
    played_ = true;
    Instant at = byte.readyAt;
    for (const ScriptPiece& piece : script_) {
      at += piece.pauseBefore;
      for (std::uint8_t value : piece.bytes) delivered.push_back({at, value});
    }
    if (hangUp_) droppedAt_ = at;
  }
  bytes = std::move(delivered);
}

sim::PortIntake ScriptedAnswers::ToDevice(std::span<const std::uint8_t> offered, Instant) {
  return {offered.size(), {offered.begin(), offered.end()}};
}

std::vector<std::uint8_t> ScriptedAnswers::Stream() const {
  std::vector<std::uint8_t> stream;
  for (const ScriptPiece& piece : script_) stream.insert(stream.end(), piece.bytes.begin(), piece.bytes.end());
  return stream;
}

Duration ScriptedAnswers::Pauses() const {
  Duration pauses{};
  for (const ScriptPiece& piece : script_) pauses += piece.pauseBefore;
  return pauses;
}

}  // namespace userdb::fuzz
