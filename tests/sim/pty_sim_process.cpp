#include "tests/sim/pty_sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace userdb::sim::test {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

std::vector<std::string> EnvironmentWith(const std::string& entry) {
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::string_view(*variable).starts_with("USERDB_PORTS_DIR=")) continue;
    environment.emplace_back(*variable);
  }
  environment.push_back(entry);
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

SimProcess::SimProcess(const std::vector<std::string>& arguments, const std::string& portsFolder) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  std::vector<std::string> argv = {USERDB_SIM_BINARY};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = EnvironmentWith("USERDB_PORTS_DIR=" + portsFolder);
  const int failure = posix_spawn(&pid_, USERDB_SIM_BINARY, &actions, nullptr, Pointers(argv).data(),
                                  Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  stdoutFd_ = pipeFds[0];
  if (failure != 0) pid_ = -1;
}

SimProcess::~SimProcess() {
  if (pid_ > 0 && !Stop(SIGTERM, milliseconds(2000))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (stdoutFd_ >= 0) close(stdoutFd_);
}

std::optional<std::string> SimProcess::NextLine(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (const std::size_t newline = pending_.find('\n'); newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      return line;
    }
    pollfd entry{stdoutFd_, POLLIN, 0};
    if (poll(&entry, 1, MillisecondsLeft(deadline)) <= 0) return std::nullopt;
    char buffer[256];
    const ssize_t count = read(stdoutFd_, buffer, sizeof buffer);
    if (count <= 0) return std::nullopt;
    pending_.append(buffer, static_cast<std::size_t>(count));
  }
}

std::optional<int> SimProcess::Stop(int signal, milliseconds limit) {
  if (pid_ <= 0) return std::nullopt;
  kill(pid_, signal);
  return WaitForExit(limit);
}

std::optional<int> SimProcess::WaitForExit(milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (pid_ > 0) {
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return std::nullopt;
}

int OpenLine(const std::string& path) { return open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); }

ByteVector ReadLine(int fd, std::size_t count, milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  ByteVector bytes;
  while (bytes.size() < count) {
    pollfd entry{fd, POLLIN, 0};
    if (poll(&entry, 1, MillisecondsLeft(deadline)) <= 0) break;
    std::uint8_t buffer[4096];
    const ssize_t got = read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
    if (got > 0) {
      bytes.insert(bytes.end(), buffer, buffer + got);
    } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
      break;  // hung up
    }
  }
  return bytes;
}

bool WriteLine(int fd, const ByteVector& bytes) {
  const auto deadline = Clock::now() + milliseconds(2000);
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    pollfd entry{fd, POLLOUT, 0};
    if (poll(&entry, 1, MillisecondsLeft(deadline)) <= 0) return false;
    const ssize_t put = write(fd, bytes.data() + sent, bytes.size() - sent);
    if (put > 0) {
      sent += static_cast<std::size_t>(put);
    } else if (put < 0 && errno != EAGAIN && errno != EINTR) {
      return false;
    }
  }
  return true;
}

bool LineHungUp(int fd) {
  std::uint8_t byte = 0;
  const ssize_t got = read(fd, &byte, 1);
  return got == 0 || (got < 0 && errno == EIO);
}

}  // namespace userdb::sim::test
