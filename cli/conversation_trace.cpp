#include "cli/conversation_trace.h"

#include <cstdio>

#include "formats/hex_bytes.h"

namespace userdb::cli {

ConversationTrace::ConversationTrace(std::ostream& out, const Clock& clock)
    : out_(out), clock_(clock), start_(clock.Now()) {
  out_ << "# userdb conversation: seconds, > to the device, < from the device\n";
}

std::ostream& ConversationTrace::Stamp() {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(clock_.Now() - start_).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%lld.%06lld ", static_cast<long long>(micros / 1000000),
                static_cast<long long>(micros % 1000000));
  return out_ << stamp;
}

void ConversationTrace::Opened(int portNumber, bool succeeded) {
  Stamp() << "open COM" << portNumber << (succeeded ? "" : " failed") << '\n';
}

void ConversationTrace::Closed() { Stamp() << "close\n" << std::flush; }

void ConversationTrace::Received(std::span<const std::uint8_t> bytes, bool lineLost) { Bytes('<', bytes, lineLost); }

void ConversationTrace::Sent(std::span<const std::uint8_t> bytes, bool lineLost) { Bytes('>', bytes, lineLost); }

void ConversationTrace::Bytes(char direction, std::span<const std::uint8_t> bytes, bool lineLost) {
  Stamp() << direction;
  const std::string hex = formats::HexOf(bytes);
  for (std::size_t i = 0; i < hex.size(); i += 2) out_ << ' ' << hex.substr(i, 2);
  if (bytes.empty()) out_ << " (nothing)";
  if (lineLost) out_ << " (line lost)";
  out_ << '\n';
}

}  // namespace userdb::cli
