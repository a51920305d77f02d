#include "sim/pty_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace userdb::sim {
namespace {

std::string Failure(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool MakeRaw(int slave) {
  termios settings{};
  if (tcgetattr(slave, &settings) != 0) return false;
  cfmakeraw(&settings);
  return tcsetattr(slave, TCSANOW, &settings) == 0;
}

}  // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Create(std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) {
    error = Failure("posix_openpt");
    return nullptr;
  }
  const char* slaveName = nullptr;
  if (grantpt(master) != 0 || unlockpt(master) != 0 || (slaveName = ptsname(master)) == nullptr) {
    error = Failure("grantpt/unlockpt/ptsname");
    close(master);
    return nullptr;
  }
  std::string slavePath = slaveName;
  const int slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave < 0 || !MakeRaw(slave)) {
    error = Failure(("raw " + slavePath).c_str());
    if (slave >= 0) close(slave);
    close(master);
    return nullptr;
  }
  return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, std::move(slavePath)));
}

PseudoTerminal::~PseudoTerminal() {
  close(slaveFd_);
  close(masterFd_);
}

void PseudoTerminal::DiscardUnread() const { tcflush(slaveFd_, TCIFLUSH); }

int PseudoTerminal::UnreadCount() const {
  int count = 0;
  return ioctl(slaveFd_, TIOCINQ, &count) == 0 ? count : 0;
}

}  // namespace userdb::sim
