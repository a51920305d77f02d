#pragma once
// A userdb-sim child process for the tests, and plain POSIX access to the line it serves.
// Every wait has a deadline, so a broken simulator fails a test instead of hanging it.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/sim/line_bytes.h"
#include "tests/support/child_process.h"

namespace userdb::sim::test {

using std::chrono::milliseconds;

// userdb-sim with USERDB_PORTS_DIR set to portsFolder.
class SimProcess : public userdb::test::ChildProcess {
 public:
  SimProcess(const std::vector<std::string>& arguments, const std::string& portsFolder)
      : ChildProcess(USERDB_SIM_BINARY, arguments, {"USERDB_PORTS_DIR=" + portsFolder}) {}
};

// Opens the line as the program does: read-write, no controlling terminal. -1 on failure.
int OpenLine(const std::string& path);
// Reads until count bytes are in, the line hangs up or the limit passes.
ByteVector ReadLine(int fd, std::size_t count, milliseconds limit);
bool WriteLine(int fd, const ByteVector& bytes);
// True when the other end has gone: a read reports end of file or an I/O error.
bool LineHungUp(int fd);

}  // namespace userdb::sim::test
