#pragma once
// How far a long transfer has come: a bar redrawn in place on a terminal, a plain line at every
// quarter otherwise, or nothing. Each shows bytes, percent and rate, on the line's clock.

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "cli/observed_port.h"
#include "device/clock.h"

namespace userdb::cli {

enum class ProgressStyle { Bar, Lines, Silent };
enum class TransferDirection { FromDevice, ToDevice };

class TransferProgress final : public PortObserver {
 public:
  TransferProgress(std::ostream& out, const Clock& clock, ProgressStyle style);

  // The next conversation moves about total bytes in the direction; label names it. The
  // display ends when the conversation closes the port.
  void Expect(std::string label, TransferDirection direction, std::size_t total);

  void Opened(int, bool) override {}
  void Closed() override;
  void Received(std::span<const std::uint8_t> bytes, bool lineLost) override;
  void Sent(std::span<const std::uint8_t> bytes, bool lineLost) override;

 private:
  struct Transfer {
    std::string label;
    TransferDirection direction = TransferDirection::FromDevice;
    std::size_t total = 0;
    std::size_t done = 0;
    std::optional<Instant> started;
    int shownPercent = -1;
  };

  void Advance(TransferDirection direction, std::size_t count);
  std::string Status(int percent) const;

  std::ostream& out_;
  const Clock& clock_;
  ProgressStyle style_;
  std::optional<Transfer> transfer_;
};

}  // namespace userdb::cli
