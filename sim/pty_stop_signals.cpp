#include "sim/pty_stop_signals.h"

#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>

namespace userdb::sim {
namespace {

sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

int BlockAndCatch() {
  const sigset_t set = StopSet();
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
  return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

}  // namespace

StopSignals::StopSignals() : fd_(BlockAndCatch()) {}

StopSignals::~StopSignals() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace userdb::sim
