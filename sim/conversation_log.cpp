#include "sim/conversation_log.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace userdb::sim {

ConversationLog::ConversationLog(const std::string& path, Instant start) : start_(start) {
  if (!path.empty()) file_.open(path, std::ios::out | std::ios::app);
}

std::string ConversationLog::Stamp(Instant when) const {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(when - start_).count();
  char text[32];
  std::snprintf(text, sizeof text, "%6lld.%06lld", static_cast<long long>(micros / 1000000),
                static_cast<long long>(micros % 1000000));
  return text;
}

void ConversationLog::Bytes(Instant when, std::string_view who, std::span<const std::uint8_t> bytes) {
  if (!file_.is_open()) return;
  constexpr std::size_t kBytesPerLine = 16;
  for (std::size_t line = 0; line < bytes.size(); line += kBytesPerLine) {
    file_ << Stamp(when) << ' ' << who << ':';
    for (std::uint8_t byte : bytes.subspan(line, std::min(kBytesPerLine, bytes.size() - line))) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", byte);
      file_ << hex;
    }
    file_ << '\n';
  }
  file_.flush();
}

void ConversationLog::Event(Instant when, std::string_view what) {
  if (!file_.is_open()) return;
  file_ << Stamp(when) << " -- " << what << '\n';
  file_.flush();
}

}  // namespace userdb::sim
