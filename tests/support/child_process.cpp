#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

std::string NameOf(std::string_view entry) { return std::string(entry.substr(0, entry.find('='))); }

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& entries) {
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string name = NameOf(*variable);
    bool replaced = false;
    for (const std::string& entry : entries) replaced = replaced || NameOf(entry) == name;
    if (!replaced) environment.emplace_back(*variable);
  }
  environment.insert(environment.end(), entries.begin(), entries.end());
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Appends what is waiting on the descriptor; false once it is at its end.
bool ReadSome(int fd, std::string& into) {
  char buffer[4096];
  const ssize_t count = read(fd, buffer, sizeof buffer);
  if (count <= 0) return false;
  into.append(buffer, static_cast<std::size_t>(count));
  return true;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& binary, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
  int outputPipe[2];
  int errorsPipe[2];
  if (pipe2(outputPipe, O_CLOEXEC) != 0) return;
  if (pipe2(errorsPipe, O_CLOEXEC) != 0) {
    close(outputPipe[0]);
    close(outputPipe[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errorsPipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<std::string> argv = {binary};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env = EnvironmentWith(environment);
  const int failure =
      posix_spawn(&pid_, binary.c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(env).data());
  posix_spawn_file_actions_destroy(&actions);
  close(outputPipe[1]);
  close(errorsPipe[1]);
  outputFd_ = outputPipe[0];
  errorsFd_ = errorsPipe[0];
  if (failure != 0) pid_ = -1;
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !Stop(SIGTERM, milliseconds(2000))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (outputFd_ >= 0) close(outputFd_);
  if (errorsFd_ >= 0) close(errorsFd_);
}

std::optional<std::string> ChildProcess::NextLine(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (const std::size_t newline = output_.find('\n', outputTaken_); newline != std::string::npos) {
      std::string line = output_.substr(outputTaken_, newline - outputTaken_);
      outputTaken_ = newline + 1;
      return line;
    }
    pollfd entry{outputFd_, POLLIN, 0};
    if (poll(&entry, 1, MillisecondsLeft(deadline)) <= 0 || !ReadSome(outputFd_, output_)) return std::nullopt;
  }
}

void ChildProcess::Drain(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  pollfd entries[2] = {{outputFd_, POLLIN, 0}, {errorsFd_, POLLIN, 0}};
  std::string* targets[2] = {&output_, &errors_};
  int open = 2;
  while (open > 0 && poll(entries, 2, MillisecondsLeft(deadline)) > 0) {
    for (int i = 0; i < 2; ++i) {
      if (entries[i].fd < 0 || entries[i].revents == 0) continue;
      if (!ReadSome(entries[i].fd, *targets[i])) {
        entries[i].fd = -1;
        --open;
      }
    }
  }
}

std::optional<int> ChildProcess::Stop(int signal, milliseconds limit) {
  if (pid_ <= 0) return std::nullopt;
  kill(pid_, signal);
  return WaitForExit(limit);
}

std::optional<int> ChildProcess::WaitForExit(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (pid_ > 0) {
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      pid_ = -1;
      Drain(milliseconds(500));
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (Clock::now() >= deadline) return std::nullopt;
    // Keep the pipes flowing, or a chatty program blocks on a full pipe and never ends.
    pollfd entries[2] = {{outputFd_, POLLIN, 0}, {errorsFd_, POLLIN, 0}};
    if (poll(entries, 2, 5) > 0) {
      if (entries[0].revents & POLLIN) ReadSome(outputFd_, output_);
      if (entries[1].revents & POLLIN) ReadSome(errorsFd_, errors_);
    }
  }
  return std::nullopt;
}

std::optional<Finished> RunToEnd(const std::string& binary, const std::vector<std::string>& arguments,
                                 const std::vector<std::string>& environment, milliseconds limit) {
  ChildProcess child(binary, arguments, environment);
  const std::optional<int> status = child.WaitForExit(limit);
  if (!status) return std::nullopt;
  return Finished{*status, child.Output(), child.Errors()};
}

}  // namespace userdb::test
