#include "platform/posix/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "device/serial_channel.h"
#include "platform/posix/bounded_drain.h"
#include "platform/posix/line_settings.h"
#include "platform/posix/ports_folder.h"
#include "platform/posix/rfcomm_link.h"

namespace userdb {
namespace {

constexpr std::chrono::milliseconds kWriteLimit{100};
// The longest a close waits for written bytes to leave: as long as a write may stall.
constexpr Duration kDrainLimit = kWriteStallLimit;

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

// Root passes TIOCEXCL, so the flock is what keeps a second opener out in every case. A device
// that takes no TIOCEXCL is no terminal and could not take the line settings either.
std::optional<OpenStatus> TakeExclusive(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return OpenStatus::Busy;
  if (ioctl(fd, TIOCEXCL) != 0) return errno == ENOTTY ? OpenStatus::SettingsRefused : OpenStatus::Busy;
  return std::nullopt;
}

OpenStatus StatusOfOpenError(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return OpenStatus::NoPermission;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenStatus::Busy;
    default:
      return OpenStatus::NoSuchPort;
  }
}

OpenResult Failure(OpenStatus status, std::string message, const std::filesystem::path& device) {
  return {status, std::move(message), device.string()};
}

std::string HeldBy(const posix::UucpLock::Holder& holder) {
  std::string text = "lock file " + holder.lockFile.string();
  if (holder.pid > 0) text += ", process " + std::to_string(holder.pid);
  return text;
}

// Bytes a tty still holds for sending; nothing when the driver cannot tell.
std::optional<int> BytesUnsent(int fd) {
  int queued = 0;
  if (ioctl(fd, TIOCOUTQ, &queued) != 0) return std::nullopt;
  return queued;
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { Close(); }

OpenResult PosixSerialPort::Open(int portNumber) {
  Close();
  const std::optional<std::filesystem::path> devicePath = posix::PortPath(portNumber);
  if (!devicePath)
    return {OpenStatus::NoSuchPort, "no device is mapped to this port", "COM" + std::to_string(portNumber)};
  return OpenPath(*devicePath);
}

OpenResult PosixSerialPort::OpenPath(const std::filesystem::path& devicePath) {
  Close();
  std::error_code error;
  // Other programs lock the device by its own name, whatever link led here.
  const std::filesystem::path realPath = std::filesystem::canonical(devicePath, error);
  if (error) return Failure(StatusOfOpenError(error.value()), error.message(), devicePath);
  if (const std::optional<posix::UucpLock::Holder> holder = lock_.Take(realPath)) {
    return Failure(OpenStatus::Busy, HeldBy(*holder), devicePath);
  }
  OpenResult result = OpenLocked(devicePath, realPath);
  if (!result) lock_.Release();
  return result;
}

OpenResult PosixSerialPort::OpenLocked(const std::filesystem::path& devicePath, const std::filesystem::path& realPath) {
  const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failure(StatusOfOpenError(errno), std::strerror(errno), devicePath);
  if (const std::optional<OpenStatus> refused = TakeExclusive(fd)) {
    const int reason = errno;
    close(fd);
    return Failure(*refused, std::strerror(reason), devicePath);
  }
  termios before{};
  if (tcgetattr(fd, &before) != 0 || !posix::ApplyLineSettings(fd)) {
    const int reason = errno;
    tcsetattr(fd, TCSANOW, &before);
    ioctl(fd, TIOCNXCL);
    close(fd);
    return Failure(OpenStatus::SettingsRefused, std::strerror(reason), devicePath);
  }
  posix::RaiseModemLines(fd);
  fd_ = fd;
  settingsBefore_ = before;
  rfcommDevice_ = posix::RfcommNumber(realPath);
  return {OpenStatus::Opened, "", devicePath.string()};
}

bool PosixSerialPort::IsOpen() const { return fd_ >= 0; }

// The exit message must leave before the port closes, but a wedged adapter must not hold the
// close: past the bound, what is left is thrown away.
void PosixSerialPort::DrainOutput() const {
  if (hungUp_) {
    tcflush(fd_, TCOFLUSH);
    return;
  }
  const int fd = fd_;
  const posix::DrainSeams seams{[fd] { return BytesUnsent(fd); },
                                [](Duration span) { std::this_thread::sleep_for(span); }, clock_};
  if (!posix::DrainWithin(kDrainLimit, seams)) tcflush(fd_, TCOFLUSH);
}

void PosixSerialPort::Close() {
  if (!IsOpen()) return;
  DrainOutput();
  if (settingsBefore_) tcsetattr(fd_, TCSANOW, &*settingsBefore_);
  // The exclusive flag belongs to the tty, not to this descriptor: clear it for the next opener.
  ioctl(fd_, TIOCNXCL);
  // What this conversation left unread must not reach the next one, as a pty would keep it.
  tcflush(fd_, TCIFLUSH);
  close(fd_);
  fd_ = -1;
  settingsBefore_.reset();
  rfcommDevice_.reset();
  hungUp_ = false;
  lock_.Release();
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
  hungUp_ = hungUp_ || result.lineLost;
  return result;
}

WriteResult PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return {.count = 0, .lineLost = true};
  if (bytes.empty()) return {};
  switch (WaitFor(fd_, POLLOUT, clock_.Now() + kWriteLimit, clock_)) {
    case Readiness::kTimedOut:
      return {};
    case Readiness::kHungUp:
      hungUp_ = true;
      return {.count = 0, .lineLost = true};
    case Readiness::kReady:
      break;
  }
  const ssize_t sent = write(fd_, bytes.data(), bytes.size());
  if (sent >= 0) return {.count = static_cast<std::size_t>(sent), .lineLost = false};
  hungUp_ = hungUp_ || !IsTransient(errno);
  return {.count = 0, .lineLost = !IsTransient(errno)};
}

const Clock& PosixSerialPort::LineClock() const { return clock_; }

void PosixSerialPort::Sleep(Duration span) { std::this_thread::sleep_for(span); }

LinkState PosixSerialPort::Link() const {
  if (!IsOpen() || !rfcommDevice_) return LinkState::Connected;
  return posix::RfcommConnected(*rfcommDevice_) == false ? LinkState::Connecting : LinkState::Connected;
}

}  // namespace userdb
