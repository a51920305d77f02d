#pragma once
// --wait: a serial line whose opening keeps trying, up to a deadline, a port that is not there
// yet (an adapter plugged in late, a radio link that comes up late), held by another program or
// not yet open to this user.

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "cli/port_relay.h"

namespace userdb::cli {

inline constexpr std::chrono::milliseconds kPortPoll{250};

class WaitingPort final : public PortRelay {
 public:
  // The deadline runs from now, on the machine's monotonic clock: the wait is for the machine,
  // not for the line's time. told is where the one line of waiting goes; nothing when quiet.
  WaitingPort(SerialPort& line, std::chrono::seconds bound, std::ostream* told, std::optional<std::string> portPath);

  OpenResult Open(int portNumber) override;

 private:
  void TellWaiting(int portNumber, const OpenResult& failed);

  std::chrono::steady_clock::time_point deadline_;
  std::ostream* told_;
  std::optional<std::string> portPath_;
};

}  // namespace userdb::cli
