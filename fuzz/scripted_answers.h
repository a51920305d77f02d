#pragma once
// A line that lets the device's banner and update answer through and puts a script in place of
// everything it sends after them: any bytes, in pieces with pauses between them, so that a fuzz
// target can feed the program whatever a broken device or line might.

#include <cstdint>
#include <span>
#include <vector>

#include "sim/line_faults.h"

namespace userdb::fuzz {

struct ScriptPiece {
  Duration pauseBefore{};
  std::vector<std::uint8_t> bytes;
};

// Input: pieces of [pause in 10 ms][length][bytes]; a last piece shorter than its length
// takes what is left. With hangUp the line drops after the last piece.
std::vector<ScriptPiece> ParseScript(std::span<const std::uint8_t> input);

class ScriptedAnswers final : public sim::LineFaults {
 public:
  ScriptedAnswers(std::vector<ScriptPiece> script, bool hangUp) : script_(std::move(script)), hangUp_(hangUp) {}

  void LineOpened(Instant now) override;
  void ToProgram(std::vector<sim::TimedByte>& bytes) override;
  sim::PortIntake ToDevice(std::span<const std::uint8_t> offered, Instant now) override;
  std::optional<Instant> DroppedAt() const override { return droppedAt_; }

  // Every scripted byte in order, and the sum of the pauses: what the program may wait for.
  std::vector<std::uint8_t> Stream() const;
  Duration Pauses() const;
  std::size_t Pieces() const { return script_.size(); }

 private:
  std::vector<ScriptPiece> script_;
  bool hangUp_;
  std::size_t passed_ = 0;  // device bytes let through so far
  bool played_ = false;
  std::optional<Instant> droppedAt_;
};

}  // namespace userdb::fuzz
