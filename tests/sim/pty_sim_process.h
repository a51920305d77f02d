#pragma once
// A userdb-sim child process for the tests, and plain POSIX access to the line it serves.
// Every wait has a deadline, so a broken simulator fails a test instead of hanging it.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/sim/line_bytes.h"

namespace userdb::sim::test {

using std::chrono::milliseconds;

class SimProcess {
 public:
  // Starts userdb-sim with these arguments and USERDB_PORTS_DIR set to portsFolder.
  SimProcess(const std::vector<std::string>& arguments, const std::string& portsFolder);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // The next line it prints on stdout, without its newline.
  std::optional<std::string> NextLine(milliseconds limit);
  // Sends the signal and waits for the exit; its exit status, or nothing if it did not end in time.
  std::optional<int> Stop(int signal, milliseconds limit);
  // Waits for it to end by itself.
  std::optional<int> WaitForExit(milliseconds limit);

 private:
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  std::string pending_;
};

// Opens the line as the program does: read-write, no controlling terminal. -1 on failure.
int OpenLine(const std::string& path);
// Reads until count bytes are in, the line hangs up or the limit passes.
ByteVector ReadLine(int fd, std::size_t count, milliseconds limit);
bool WriteLine(int fd, const ByteVector& bytes);
// True when the other end has gone: a read reports end of file or an I/O error.
bool LineHungUp(int fd);

}  // namespace userdb::sim::test
