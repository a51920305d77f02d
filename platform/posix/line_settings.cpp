#include "platform/posix/line_settings.h"

#include <sys/ioctl.h>
#include <termios.h>

#include "device/serial_port.h"

namespace userdb::posix {
namespace {

static_assert(kBaudRate == 115200, "the termios speed below must match the line's baud rate");
constexpr speed_t kSpeed = B115200;
constexpr tcflag_t kFramingBits = CSIZE | PARENB | CSTOPB | CRTSCTS;

termios RawLine(termios settings) {
  cfmakeraw(&settings);
  settings.c_cflag &= ~kFramingBits;
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  // Reads are timed with poll() on a monotonic deadline, so the driver never waits on its own.
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  cfsetispeed(&settings, kSpeed);
  cfsetospeed(&settings, kSpeed);
  return settings;
}

}  // namespace

bool ApplyLineSettings(int fd) {
  termios current{};
  if (tcgetattr(fd, &current) != 0) return false;
  const termios wanted = RawLine(current);
  if (tcsetattr(fd, TCSANOW, &wanted) != 0) return false;
  // tcsetattr succeeds when any part was taken, so check what the driver kept.
  termios applied{};
  return tcgetattr(fd, &applied) == 0 && cfgetospeed(&applied) == kSpeed && (applied.c_cflag & kFramingBits) == CS8;
}

void RaiseModemLines(int fd) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, TIOCMBIS, &lines);
}

}  // namespace userdb::posix
