#pragma once
// The ways in which a simulated device can misbehave, each chosen on its own.

#include <bitset>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/clock.h"
#include "sim/device_memory.h"

namespace userdb::sim {

// The parts of a conversation. The device sends in all of them but Upload, in which it
// takes the image; Verdict is its answer to the upload.
enum class Phase { Banner, Handshake, Records, Notes, Info, Upload, Verdict };
inline constexpr std::size_t kPhaseCount = 7;

struct PhaseCount {
  Phase phase = Phase::Banner;
  std::size_t count = 0;
};

// Silence on the line before one block the device sends, as a radio link has it: in the records
// and notes, block K is record or note K; elsewhere the K-th text or block of the phase.
struct Lull {
  Phase phase = Phase::Records;
  std::size_t block = 0;
  Duration pause{};
  bool once = false;  // only in the first conversation that comes to it, as a real lull

  bool operator==(const Lull&) const = default;
};

// What the device sends where a fault calls for noise.
inline constexpr std::uint8_t kNoiseByte = 0xA5;

struct FaultPlan {
  bool silent = false;  // sends nothing at all, not even the banner
  bool noBanner = false;
  bool wrongAnswer = false;        // "KT GPS-BT" instead of "KT GPS+BT"
  bool answerWithoutZero = false;  // the UpdateAnswer's nine characters only
  std::optional<std::size_t> stopAfterRecords;
  std::optional<std::size_t> stopAfterNotes;
  std::optional<std::size_t> stallInRecord;  // index of the record paused halfway
  std::optional<std::size_t> stallInNote;
  std::optional<PhaseCount> garbageBefore;    // bytes of noise ahead of the phase's first answer
  std::optional<Phase> splitTextsIn;          // the phase's texts go out in two halves
  bool checksumError = false;                 // every upload is refused
  std::optional<std::size_t> storeWrongByte;  // every upload is confirmed, this byte stored inverted
  // A write that breaks off: the flash is erased when the image frame arrives, and the line
  // drops after this many image bytes, leaving the device empty.
  std::optional<std::size_t> tornWriteAfter;
  bool noUpdateOver = false;
  std::optional<PhaseCount> hangUpAfter;    // drops the line after byte n of the phase
  std::bitset<kInfoBlockSize> infoBytesFF;  // DeviceInfoBlock bytes sent as 0xFF
  std::vector<Lull> lulls;
  std::vector<std::uint8_t> afterNotes;  // sent once the notes are out
  // How long a stall or the gap in a split text lasts: longer than the program's 100 ms read.
  Duration pause = std::chrono::milliseconds(250);
};

std::optional<Phase> ParsePhase(std::string_view name);
std::string_view PhaseName(Phase phase);

// The pause before block K of the phase, if the plan has one; a lull that comes once is spent.
std::optional<Duration> TakeLullBefore(FaultPlan& plan, Phase phase, std::size_t block);

enum class FaultOutcome {
  Added,
  UnknownFault,
  BadArgument,  // missing, unexpected, or not understood
};

struct FaultResult {
  FaultOutcome outcome = FaultOutcome::Added;
  std::string message;  // why not, naming the fault

  explicit operator bool() const { return outcome == FaultOutcome::Added; }
};

// Adds the fault named by "NAME" or "NAME=ARG" to the plan.
FaultResult AddFault(FaultPlan& plan, std::string_view option);

// One line per fault, for the command line's help.
std::string_view FaultHelp();

}  // namespace userdb::sim
