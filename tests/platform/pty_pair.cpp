#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace userdb::test {

PtyPair::~PtyPair() { HangUp(); }

bool PtyPair::Create() {
  masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (masterFd_ < 0 || grantpt(masterFd_) != 0 || unlockpt(masterFd_) != 0) return false;
  const char* name = ptsname(masterFd_);
  if (name == nullptr) return false;
  slavePath_ = name;
  return true;
}

bool PtyPair::SendFromDevice(std::span<const std::uint8_t> bytes) {
  return write(masterFd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PtyPair::ReceiveAtDevice(std::size_t count, std::chrono::milliseconds limit) {
  std::vector<std::uint8_t> received(count);
  std::size_t got = 0;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (got < count && std::chrono::steady_clock::now() < deadline) {
    pollfd entry{masterFd_, POLLIN, 0};
    if (poll(&entry, 1, 10) <= 0) continue;
    const ssize_t n = read(masterFd_, received.data() + got, count - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  received.resize(got);
  return received;
}

void PtyPair::HangUp() {
  if (masterFd_ < 0) return;
  close(masterFd_);
  masterFd_ = -1;
}

}  // namespace userdb::test
