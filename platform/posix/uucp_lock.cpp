#include "platform/posix/uucp_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace userdb::posix {
namespace {

// A lock file so new that its owner may still be writing its number into it.
constexpr std::chrono::seconds kLockBeingWritten{2};
// Far longer than "%10d\n".
constexpr std::size_t kLockFileRead = 64;

std::optional<pid_t> ParsePid(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first);
  text = text.substr(0, text.find_first_of(" \t\r\n"));
  long pid = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
  return static_cast<pid_t>(pid);
}

std::optional<pid_t> ReadOwner(const std::filesystem::path& lockFile) {
  const int fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  char buffer[kLockFileRead] = {};
  const ssize_t count = read(fd, buffer, sizeof buffer - 1);
  close(fd);
  if (count <= 0) return std::nullopt;
  return ParsePid(std::string_view(buffer, static_cast<std::size_t>(count)));
}

bool ProcessLives(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

bool JustMade(const std::filesystem::path& lockFile) {
  struct stat status {};
  if (stat(lockFile.c_str(), &status) != 0) return false;
  const auto age = std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(status.st_mtime);
  return age < kLockBeingWritten;
}

// The live holder of an existing lock; a stale one is removed.
std::optional<UucpLock::Holder> LiveHolder(const std::filesystem::path& lockFile) {
  const std::optional<pid_t> owner = ReadOwner(lockFile);
  if (owner && (*owner == getpid() || !ProcessLives(*owner))) {
    if (*owner != getpid()) unlink(lockFile.c_str());
    return std::nullopt;
  }
  if (owner) return UucpLock::Holder{*owner, lockFile};
  // No number in it: its owner may be writing it still; otherwise it is garbage.
  if (JustMade(lockFile)) return UucpLock::Holder{0, lockFile};
  unlink(lockFile.c_str());
  return std::nullopt;
}

bool WriteOwnLock(const std::filesystem::path& lockFile) {
  const int fd = open(lockFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
  const bool written = length > 0 && write(fd, text, static_cast<std::size_t>(length)) == length;
  close(fd);
  if (!written) unlink(lockFile.c_str());
  return written;
}

}  // namespace

std::optional<pid_t> LockHolderOf(const std::filesystem::path& device) {
  const std::filesystem::path lockFile = LockFolder() / LockFileName(device);
  std::error_code error;
  if (!std::filesystem::exists(lockFile, error)) return std::nullopt;
  const std::optional<pid_t> owner = ReadOwner(lockFile);
  if (!owner) return JustMade(lockFile) ? std::optional<pid_t>(0) : std::nullopt;
  if (*owner == getpid() || !ProcessLives(*owner)) return std::nullopt;
  return owner;
}

std::filesystem::path LockFolder() {
  if (const char* folder = std::getenv("USERDB_LOCK_DIR"); folder != nullptr && *folder != '\0') return folder;
  return "/var/lock";
}

std::string LockFileName(const std::filesystem::path& device) {
  const std::filesystem::path relative = device.lexically_relative("/dev");
  std::string name =
      relative.empty() || relative.string().starts_with("..") ? device.filename().string() : relative.string();
  for (char& c : name) c = c == '/' ? '_' : c;
  return "LCK.." + name;
}

std::optional<UucpLock::Holder> UucpLock::Take(const std::filesystem::path& device) {
  Release();
  const std::filesystem::path lockFile = LockFolder() / LockFileName(device);
  // Twice: a stale lock removed on the first round may be taken by another program meanwhile.
  for (int round = 0; round < 2; ++round) {
    if (WriteOwnLock(lockFile)) {
      held_ = lockFile;
      return std::nullopt;
    }
    if (errno != EEXIST) return std::nullopt;  // no lock can be made here, by anyone
    if (std::optional<Holder> holder = LiveHolder(lockFile)) return holder;
  }
  return std::nullopt;
}

void UucpLock::Release() {
  if (!held_) return;
  if (ReadOwner(*held_) == getpid()) unlink(held_->c_str());
  held_.reset();
}

}  // namespace userdb::posix
