#pragma once
// The command line's side of the device link: why a port did not open, in the system's words
// and with what to do about it, the waits and retries the window does not show, and the
// handshake's failure in the window's own words.

#include <optional>
#include <ostream>
#include <string>

#include "device/device_seat.h"

namespace userdb::cli {

// "Can not Open COM8: another program holds it (lock file /var/lock/LCK..ttyUSB0, process 42)";
// a port given by its path is named by it.
std::string DescribeOpenFailure(const PortFailure& failure, const std::optional<std::string>& portPath);

class CommandLineSeat final : public DeviceSeat {
 public:
  // portPath: the device path --port gave, if it gave one.
  CommandLineSeat(std::ostream& errors, std::optional<std::string> portPath)
      : errors_(errors), portPath_(std::move(portPath)) {}

  void PortNotOpened(const PortFailure& failure) override;
  void WaitingForLink(int portNumber) override;
  void HandshakeRetry(int attempt, int tries) override;
  void NoUpdateMode() override;
  // Progress is the transfer display's, which watches the line itself.
  void HandshakeSucceeded() override {}
  void Receiving() override {}
  void ChunkSent(std::size_t /*chunk*/) override {}

 private:
  std::string PortName(int portNumber) const;

  std::ostream& errors_;
  std::optional<std::string> portPath_;
};

}  // namespace userdb::cli
