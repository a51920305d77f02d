#include "fuzz/scripted_conversation.h"

#include "app/main_form.h"

namespace userdb::fuzz {
namespace {

constexpr int kDevicePort = 2;  // COM002, selected at start
// The handshake's reads and the reads that find each list's end.
constexpr int kFixedReads = 8;

std::span<const std::uint8_t> Script(std::span<const std::uint8_t> input) {
  return input.empty() ? input : input.subspan(1);
}

}  // namespace

ScriptedConversation::ScriptedConversation(std::span<const std::uint8_t> input)
    : port(clock), answers(ParseScript(Script(input)), !input.empty() && (input[0] & 1) != 0), state(port) {
  port.Attach(kDevicePort, device);
  port.SetLineFaults(&answers);
  InitialiseMainForm(state, window);
}

Duration ScriptedConversation::Bound(Duration commandLimits) const {
  const auto reads = static_cast<std::int64_t>(answers.Stream().size()) + kFixedReads;
  return kReadLimit * reads + answers.Pauses() + commandLimits + kReadLimit;
}

}  // namespace userdb::fuzz
