#include "sim/pty_slave_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace userdb::sim {

SlaveWatch::SlaveWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

SlaveWatch::~SlaveWatch() {
  if (fd_ >= 0) close(fd_);
}

bool SlaveWatch::Watch(const std::string& slavePath, std::string& error) {
  Unwatch();
  if (fd_ >= 0) watch_ = inotify_add_watch(fd_, slavePath.c_str(), IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE);
  if (watch_ < 0) {
    error = "inotify on " + slavePath + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void SlaveWatch::Unwatch() {
  if (watch_ >= 0) inotify_rm_watch(fd_, watch_);
  watch_ = -1;
  TakeEvents();  // what the old slave reported no longer counts
}

std::vector<SlaveEvent> SlaveWatch::TakeEvents() const {
  std::vector<SlaveEvent> events;
  alignas(inotify_event) char buffer[4096];
  ssize_t length = 0;
  while (fd_ >= 0 && (length = read(fd_, buffer, sizeof buffer)) > 0) {
    for (ssize_t offset = 0; offset < length;) {
      inotify_event event{};
      std::memcpy(&event, buffer + offset, sizeof event);
      offset += static_cast<ssize_t>(sizeof event + event.len);
      if (event.wd != watch_) continue;
      if (event.mask & IN_OPEN) events.push_back(SlaveEvent::Opened);
      if (event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) events.push_back(SlaveEvent::Closed);
    }
  }
  return events;
}

}  // namespace userdb::sim
