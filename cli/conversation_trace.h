#pragma once
// --trace: every byte of every conversation as hex, one line a read or write, each stamped
// with the seconds since the trace began on the line's monotonic clock.
//   0.012345 open COM7
//   0.012400 > 4B 27 54 ...      to the device
//   0.013101 < 4B 54 20 ...      from the device
//   0.113101 < (nothing)         a read that timed out
//   0.200000 close

#include <ostream>

#include "cli/observed_port.h"
#include "device/clock.h"

namespace userdb::cli {

class ConversationTrace final : public PortObserver {
 public:
  ConversationTrace(std::ostream& out, const Clock& clock);

  void Opened(int portNumber, bool succeeded) override;
  void Closed() override;
  void Received(std::span<const std::uint8_t> bytes, bool lineLost) override;
  void Sent(std::span<const std::uint8_t> bytes, bool lineLost) override;

 private:
  std::ostream& Stamp();
  void Bytes(char direction, std::span<const std::uint8_t> bytes, bool lineLost);

  std::ostream& out_;
  const Clock& clock_;
  Instant start_;
};

}  // namespace userdb::cli
