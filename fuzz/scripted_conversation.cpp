#include "fuzz/scripted_conversation.h"

#include "app/main_form.h"
#include "device/download.h"
#include "device/serial_channel.h"

namespace userdb::fuzz {
namespace {

constexpr int kDevicePort = 2;  // COM002, selected at start
// The handshake's reads and the reads that find each list's end.
constexpr int kFixedReads = 8;
// The silences a conversation may wait out whatever the script: the answer's, the header's,
// each list's end and what follows a full stream.
constexpr int kFixedSilences = 5;
// A download whose first reading looks cut off reads the device a second time.
constexpr int kReadings = 2;
// A reading may wait the longer silence for the end of each of its lists.
constexpr int kSuspectedEnds = 2;

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
  // Any pause in the script can end a block or a list, and so cost a silence of its own.
  const auto silences = static_cast<std::int64_t>(answers.Pieces()) + kFixedSilences;
  const Duration reading =
      kReadLimit * reads + kLullLimit * silences + answers.Pauses() + kSuspectedEndLimit * kSuspectedEnds;
  return kReadings * reading + commandLimits + kReadLimit;
}

}  // namespace userdb::fuzz
