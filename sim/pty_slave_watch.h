#pragma once
// Sees the program open and close the pseudo-terminal's slave, through inotify on its path.
// Polling the master for a hang-up would miss a close followed at once by a new open.

#include <string>
#include <vector>

namespace userdb::sim {

enum class SlaveEvent { Opened, Closed };

class SlaveWatch {
 public:
  SlaveWatch();
  ~SlaveWatch();
  SlaveWatch(const SlaveWatch&) = delete;
  SlaveWatch& operator=(const SlaveWatch&) = delete;

  // Watches this path instead of any earlier one; false with the reason in error.
  bool Watch(const std::string& slavePath, std::string& error);
  int Fd() const { return fd_; }
  // The opens and closes reported since the last call, in order; does not block.
  std::vector<SlaveEvent> TakeEvents() const;

 private:
  void Unwatch();

  int fd_;
  int watch_ = -1;
};

}  // namespace userdb::sim
