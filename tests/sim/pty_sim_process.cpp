#include "tests/sim/pty_sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace userdb::sim::test {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

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
