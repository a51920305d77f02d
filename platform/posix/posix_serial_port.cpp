#include "platform/posix/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/posix/line_settings.h"
#include "platform/posix/ports_folder.h"

namespace userdb {
namespace {

constexpr std::chrono::milliseconds kWriteLimit{100};

enum class Readiness { kReady, kTimedOut, kHungUp };

// poll() counts whole milliseconds; rounding up keeps it from waking just short of the deadline.
int MillisecondsLeft(Instant deadline, Instant now) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

Readiness WaitFor(int fd, short events, Instant deadline, const Clock& clock) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, MillisecondsLeft(deadline, clock.Now()));
    if (ready == 0) return Readiness::kTimedOut;
    if (ready < 0) {
      if (errno == EINTR) continue;
      return Readiness::kHungUp;
    }
    // A hang-up flushes the line, so whatever else is flagged with it no longer matters.
    if ((entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Readiness::kHungUp;
    return Readiness::kReady;
  }
}

bool IsTransient(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

// Root passes TIOCEXCL, so the flock is what keeps a second opener out in every case.
bool TakeExclusive(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0 && ioctl(fd, TIOCEXCL) == 0; }

}  // namespace

PosixSerialPort::~PosixSerialPort() { Close(); }

bool PosixSerialPort::Open(int portNumber) {
  Close();
  const std::optional<std::filesystem::path> devicePath = posix::PortPath(portNumber);
  return devicePath.has_value() && OpenPath(*devicePath);
}

bool PosixSerialPort::OpenPath(const std::filesystem::path& devicePath) {
  Close();
  const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  if (!TakeExclusive(fd) || !posix::ApplyLineSettings(fd)) {
    close(fd);
    return false;
  }
  posix::RaiseModemLines(fd);
  fd_ = fd;
  return true;
}

bool PosixSerialPort::IsOpen() const { return fd_ >= 0; }

void PosixSerialPort::Close() {
  if (!IsOpen()) return;
  // The exclusive flag belongs to the tty, not to this descriptor: clear it for the next opener.
  ioctl(fd_, TIOCNXCL);
  // What this conversation left unread must not reach the next one, as a pty would keep it.
  tcflush(fd_, TCIFLUSH);
  close(fd_);
  fd_ = -1;
}

ReadResult PosixSerialPort::ReadOnce(std::span<std::uint8_t> buffer) {
  if (!IsOpen()) return {.count = 0, .lineLost = true};
  const Instant deadline = clock_.Now() + kReadLimit;
  ReadResult result;
  while (result.count < buffer.size()) {
    const Readiness readiness = WaitFor(fd_, POLLIN, deadline, clock_);
    if (readiness == Readiness::kTimedOut) break;
    if (readiness == Readiness::kHungUp) {
      result.lineLost = true;
      break;
    }
    const ssize_t got = read(fd_, buffer.data() + result.count, buffer.size() - result.count);
    if (got > 0) {
      result.count += static_cast<std::size_t>(got);
    } else if (got == 0 || !IsTransient(errno)) {
      result.lineLost = true;
      break;
    }
  }
  return result;
}

WriteResult PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return {.count = 0, .lineLost = true};
  if (bytes.empty()) return {};
  switch (WaitFor(fd_, POLLOUT, clock_.Now() + kWriteLimit, clock_)) {
    case Readiness::kTimedOut:
      return {};
    case Readiness::kHungUp:
      return {.count = 0, .lineLost = true};
    case Readiness::kReady:
      break;
  }
  const ssize_t sent = write(fd_, bytes.data(), bytes.size());
  if (sent >= 0) return {.count = static_cast<std::size_t>(sent), .lineLost = false};
  return {.count = 0, .lineLost = !IsTransient(errno)};
}

const Clock& PosixSerialPort::LineClock() const { return clock_; }

}  // namespace userdb
