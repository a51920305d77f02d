#pragma once
// SIGINT, SIGTERM and SIGHUP as a readable descriptor, so the host's loop ends cleanly on them
// and the ports-folder entry is removed.

namespace userdb::sim {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Negative when the signals could not be caught.
  int Fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace userdb::sim
