#include "sim/fault_plan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "sim/wire_texts.h"

namespace userdb::sim {
namespace {

constexpr std::array<std::pair<std::string_view, Phase>, kPhaseCount> kPhaseNames = {{
    {"banner", Phase::Banner},
    {"handshake", Phase::Handshake},
    {"records", Phase::Records},
    {"notes", Phase::Notes},
    {"info", Phase::Info},
    {"upload", Phase::Upload},
    {"verdict", Phase::Verdict},
}};

std::optional<std::size_t> ParseCount(std::string_view text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "PHASE:N", or "PHASE" alone when a default count is given.
std::optional<PhaseCount> ParsePhaseCount(std::string_view text, std::optional<std::size_t> defaultCount) {
  const std::size_t colon = text.find(':');
  const std::optional<Phase> phase = ParsePhase(text.substr(0, colon));
  if (!phase) return std::nullopt;
  const std::optional<std::size_t> count =
      colon == std::string_view::npos ? defaultCount : ParseCount(text.substr(colon + 1));
  if (!count) return std::nullopt;
  return PhaseCount{*phase, *count};
}

// Phases in which the device sends something.
bool DeviceSpeaks(Phase phase) { return phase != Phase::Upload; }

// A rule adds its fault to the plan, or says what is wrong with the argument.
using Rule = FaultResult (*)(FaultPlan&, std::string_view arg, bool hasArg);

FaultResult BadArgument(std::string why) { return {FaultOutcome::BadArgument, std::move(why)}; }

FaultResult Flag(bool& flag, bool hasArg) {
  if (hasArg) return BadArgument("takes no argument");
  flag = true;
  return {};
}

FaultResult Count(std::optional<std::size_t>& field, std::string_view arg) {
  field = ParseCount(arg);
  if (!field) return BadArgument("needs a count");
  return {};
}

FaultResult Garbage(FaultPlan& plan, std::string_view arg, bool) {
  constexpr std::size_t kDefaultNoise = 1;
  plan.garbageBefore = ParsePhaseCount(arg, kDefaultNoise);
  if (!plan.garbageBefore || !DeviceSpeaks(plan.garbageBefore->phase)) {
    return BadArgument("needs PHASE[:N] of a phase the device speaks in");
  }
  return {};
}

FaultResult Split(FaultPlan& plan, std::string_view arg, bool) {
  plan.splitTextsIn = ParsePhase(arg);
  if (!plan.splitTextsIn || !DeviceSpeaks(*plan.splitTextsIn)) return BadArgument("needs a phase the device speaks in");
  return {};
}

FaultResult HangUp(FaultPlan& plan, std::string_view arg, bool) {
  plan.hangUpAfter = ParsePhaseCount(arg, std::nullopt);
  if (!plan.hangUpAfter) return BadArgument("needs PHASE:N");
  return {};
}

// "PHASE:K:MS".
FaultResult AddLull(FaultPlan& plan, std::string_view arg, bool) {
  const std::size_t second = arg.rfind(':');
  const std::optional<PhaseCount> block =
      second == std::string_view::npos ? std::nullopt : ParsePhaseCount(arg.substr(0, second), std::nullopt);
  const std::optional<std::size_t> millis =
      second == std::string_view::npos ? std::nullopt : ParseCount(arg.substr(second + 1));
  if (!block || !millis || !DeviceSpeaks(block->phase)) {
    return BadArgument("needs PHASE:K:MS of a phase the device speaks in");
  }
  plan.lulls.push_back(Lull{block->phase, block->count, std::chrono::milliseconds(*millis)});
  return {};
}

FaultResult OverAfterNotes(FaultPlan& plan, std::string_view, bool hasArg) {
  if (hasArg) return BadArgument("takes no argument");
  plan.afterNotes.assign(kUpdateOver.begin(), kUpdateOver.end());
  return {};
}

FaultResult NoiseAfterNotes(FaultPlan& plan, std::string_view arg, bool) {
  const std::optional<std::size_t> count = ParseCount(arg);
  if (!count) return BadArgument("needs a count");
  plan.afterNotes.assign(*count, kNoiseByte);
  return {};
}

FaultResult InfoFF(FaultPlan& plan, std::string_view arg, bool hasArg) {
  if (!hasArg) {
    plan.infoBytesFF.set();
    return {};
  }
  const std::optional<std::size_t> index = ParseCount(arg);
  if (!index || *index >= kInfoBlockSize) return BadArgument("needs a byte index below 72");
  plan.infoBytesFF.set(*index);
  return {};
}

struct FaultRule {
  std::string_view name;
  std::string_view argument;
  Rule apply;
  std::string_view help;
};

constexpr FaultRule kRules[] = {
    {"silent", "", [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.silent, hasArg); },
     "sends nothing at all"},
    {"no-banner", "", [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.noBanner, hasArg); },
     "no banner when the port is opened"},
    {"wrong-answer", "", [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.wrongAnswer, hasArg); },
     "answers the update request with \"KT GPS-BT\""},
    {"answer-without-zero", "",
     [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.answerWithoutZero, hasArg); },
     "sends the update answer without its zero byte"},
    {"stop-records", "=K", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.stopAfterRecords, arg); },
     "sends only the first K records"},
    {"stop-notes", "=K", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.stopAfterNotes, arg); },
     "sends only the first K notes"},
    {"stall-record", "=K", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.stallInRecord, arg); },
     "pauses 250 ms in the middle of record K"},
    {"stall-note", "=K", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.stallInNote, arg); },
     "pauses 250 ms in the middle of note K"},
    {"garbage", "=PHASE[:N]", Garbage, "N bytes of noise (default 1) before the phase's answer"},
    {"split", "=PHASE", Split, "sends the phase's texts in two halves 250 ms apart"},
    {"checksum-error", "", [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.checksumError, hasArg); },
     "refuses every upload with \"Checksum Error\""},
    {"no-update-over", "", [](FaultPlan& p, std::string_view, bool hasArg) { return Flag(p.noUpdateOver, hasArg); },
     "never sends \"KT Update Over\""},
    {"hangup", "=PHASE:N", HangUp, "drops the line after byte N of the phase"},
    {"info-ff", "[=B]", InfoFF, "sends byte B (default: all) of the device information as 0xFF"},
    {"over-after-notes", "", OverAfterNotes, "sends \"KT Update Over\" after its notes"},
    {"noise-after-notes", "=N", NoiseAfterNotes, "sends N bytes of noise after its notes"},
    {"lull", "=PHASE:K:MS", AddLull, "MS ms of silence before block K (record K, note K) of the phase"},
    {"torn-write", "=N", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.tornWriteAfter, arg); },
     "erases the flash when an image comes and drops the line after N of its bytes"},
    {"store-wrong", "=B", [](FaultPlan& p, std::string_view arg, bool) { return Count(p.storeWrongByte, arg); },
     "confirms every upload but stores image byte B inverted"},
};

}  // namespace

std::optional<Phase> ParsePhase(std::string_view name) {
  for (const auto& [text, phase] : kPhaseNames) {
    if (text == name) return phase;
  }
  return std::nullopt;
}

std::string_view PhaseName(Phase phase) {
  for (const auto& [text, value] : kPhaseNames) {
    if (value == phase) return text;
  }
  return "?";
}

std::optional<Duration> TakeLullBefore(FaultPlan& plan, Phase phase, std::size_t block) {
  const auto lull = std::find_if(plan.lulls.begin(), plan.lulls.end(),
                                 [&](const Lull& each) { return each.phase == phase && each.block == block; });
  if (lull == plan.lulls.end()) return std::nullopt;
  const Duration pause = lull->pause;
  if (lull->once) plan.lulls.erase(lull);
  return pause;
}

FaultResult AddFault(FaultPlan& plan, std::string_view option) {
  const std::size_t equals = option.find('=');
  const std::string_view name = option.substr(0, equals);
  const bool hasArg = equals != std::string_view::npos;
  const std::string_view arg = hasArg ? option.substr(equals + 1) : std::string_view();
  for (const FaultRule& rule : kRules) {
    if (rule.name != name) continue;
    FaultResult added = rule.apply(plan, arg, hasArg);
    if (!added) added.message = "fault " + std::string(name) + ": " + added.message;
    return added;
  }
  return {FaultOutcome::UnknownFault, "unknown fault: " + std::string(name)};
}

std::string_view FaultHelp() {
  static const std::string help = [] {
    constexpr std::size_t kHelpColumn = 27;
    std::string text;
    for (const FaultRule& rule : kRules) {
      std::string usage = "      " + std::string(rule.name) + std::string(rule.argument);
      usage.resize(std::max(kHelpColumn, usage.size() + 1), ' ');
      text += usage + std::string(rule.help) + "\n";
    }
    text += "      PHASE: banner, handshake, records, notes, info, upload (image bytes taken), verdict\n";
    return text;
  }();
  return help;
}

}  // namespace userdb::sim
