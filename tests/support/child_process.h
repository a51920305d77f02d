#pragma once
// A program run by a test, with its standard output and error read back. Every wait has a
// deadline, so a program that hangs fails the test instead of hanging it.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace userdb::test {

using std::chrono::milliseconds;

class ChildProcess {
 public:
  // Starts binary with the arguments; environment entries "NAME=value" replace or add to
  // this process's environment.
  ChildProcess(const std::string& binary, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // The next line it prints on stdout, without its newline.
  std::optional<std::string> NextLine(milliseconds limit);
  // Sends the signal and waits for the exit; its exit status, or nothing if it did not end in time.
  std::optional<int> Stop(int signal, milliseconds limit);
  // Waits for it to end by itself: its exit status, or 128 + the signal that ended it.
  std::optional<int> WaitForExit(milliseconds limit);

  // Everything it printed so far, once it has ended.
  const std::string& Output() const { return output_; }
  const std::string& Errors() const { return errors_; }

 private:
  void Drain(milliseconds limit);

  pid_t pid_ = -1;
  int outputFd_ = -1;
  int errorsFd_ = -1;
  std::string output_;
  std::size_t outputTaken_ = 0;  // the part of output_ that NextLine has handed out
  std::string errors_;
};

struct Finished {
  int status = -1;
  std::string output;
  std::string errors;
};

// Runs the program to its end; nothing when it did not end within the limit (it is killed).
std::optional<Finished> RunToEnd(const std::string& binary, const std::vector<std::string>& arguments,
                                 const std::vector<std::string>& environment, milliseconds limit);

}  // namespace userdb::test
