#pragma once
// The command line's side of the device link: why a port did not open, in the system's words
// and with what to do about it, and the waits and retries the window does not show.

#include <optional>
#include <ostream>
#include <string>

#include "device/link_events.h"

namespace userdb::cli {

// "Can not Open COM8: another program holds it (lock file /var/lock/LCK..ttyUSB0, process 42)";
// a port given by its path is named by it.
std::string DescribeOpenFailure(const PortFailure& failure, const std::optional<std::string>& portPath);

class LinkReports final : public LinkEvents {
 public:
  // portPath: the device path --port gave, if it gave one.
  LinkReports(std::ostream& errors, std::optional<std::string> portPath)
      : errors_(errors), portPath_(std::move(portPath)) {}

  void PortNotOpened(const PortFailure& failure) override;
  void WaitingForLink(int portNumber) override;
  void HandshakeRetry(int attempt, int tries) override;

 private:
  std::string PortName(int portNumber) const;

  std::ostream& errors_;
  std::optional<std::string> portPath_;
};

}  // namespace userdb::cli
