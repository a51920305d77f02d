#pragma once
// A timestamped hex record of the line in both directions, for looking at a session afterwards.

#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "device/clock.h"

namespace userdb::sim {

class ConversationLog {
 public:
  // Times are shown in seconds from start. An empty path logs nothing.
  ConversationLog(const std::string& path, Instant start);
  bool IsOpen() const { return file_.is_open(); }

  // "<time> <who>: 4B 54 20 ..." with 16 bytes a line.
  void Bytes(Instant when, std::string_view who, std::span<const std::uint8_t> bytes);
  // "<time> -- <what>", for opens, closes and the like.
  void Event(Instant when, std::string_view what);

 private:
  std::string Stamp(Instant when) const;

  std::ofstream file_;
  Instant start_;
};

}  // namespace userdb::sim
