#include "sim/pty_com_link.h"

#include <unistd.h>

#include "platform/posix/ports_folder.h"

namespace userdb::sim {

ComLink::ComLink(int portNumber) : path_(posix::PortsFolderEntry(portNumber)) {}

ComLink::~ComLink() {
  std::error_code ignored;
  if (!target_.empty() && std::filesystem::read_symlink(path_, ignored) == target_) {
    std::filesystem::remove(path_, ignored);
  }
}

bool ComLink::PointTo(const std::string& slavePath, std::string& error) {
  std::error_code failure;
  std::filesystem::create_directories(path_.parent_path(), failure);
  const std::filesystem::path temporary = path_.string() + ".new-" + std::to_string(getpid());
  std::filesystem::remove(temporary, failure);
  std::filesystem::create_symlink(slavePath, temporary, failure);
  if (!failure) std::filesystem::rename(temporary, path_, failure);
  if (failure) {
    error = path_.string() + ": " + failure.message();
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  target_ = slavePath;
  return true;
}

}  // namespace userdb::sim
