#pragma once
// A pseudo-terminal whose slave the program opens as its serial port; the device sits on the master.

#include <memory>
#include <string>
#include <utility>

namespace userdb::sim {

class PseudoTerminal {
 public:
  // A new pair with the slave already raw, so that nothing the device sends is echoed or
  // translated. Null with the reason in error on failure.
  static std::unique_ptr<PseudoTerminal> Create(std::string& error);
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return masterFd_; }
  const std::string& SlavePath() const { return slavePath_; }

  // Drops what the device sent and nobody read. A serial port's close discards its input,
  // but a pseudo-terminal would hand it to the next opener.
  void DiscardUnread() const;
  // Bytes the device sent that are waiting in the slave for the program to read.
  int UnreadCount() const;

 private:
  PseudoTerminal(int masterFd, int slaveFd, std::string slavePath)
      : masterFd_(masterFd), slaveFd_(slaveFd), slavePath_(std::move(slavePath)) {}

  int masterFd_;
  int slaveFd_;  // held only to reach the slave's input queue; never read or written
  std::string slavePath_;
};

}  // namespace userdb::sim
