#pragma once
// The copies of the device kept in the backups folder: one .bin image for each download that
// brought something new, named by the moment and the device's serial number, the newest
// kBackupsKept of them, and however old, the newest taken before a write of each device and
// those that another record still needs.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/backups.h"
#include "storage/backup_name.h"

namespace userdb::storage {

inline constexpr std::size_t kBackupsKept = 50;

// The moment a backup is taken, as the calendar has it; replaceable so that tests can name it.
using WallClock = std::function<std::time_t()>;

// Backups that something else still refers to, such as a write not known to have ended.
using PinnedBackups = std::function<std::vector<std::filesystem::path>()>;

class BackupStore final : public Backups {
 public:
  // A backup file, with what its name tells.
  struct Found {
    BackupName name;
    std::filesystem::path file;
  };

  // Nothing for a folder: the environment names none, and every Keep says so.
  explicit BackupStore(std::optional<std::filesystem::path> folder, WallClock clock = DefaultClock());

  KeepResult Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber, BackupReason reason) override;
  std::vector<BackupEntry> List() const override;
  ImageLoadResult Load(const std::filesystem::path& file) const override;
  const std::optional<std::filesystem::path>& Folder() const override { return folder_; }

  // Asked each time old backups go; none are pinned until this is set.
  void SetPinned(PinnedBackups pinned) { pinned_ = std::move(pinned); }

  static WallClock DefaultClock();

 private:
  KeepResult Refresh(const Found& kept, const std::vector<Found>& found, bool beforeWrite,
                     const std::string& failed) const;
  std::vector<std::filesystem::path> Pinned() const;
  void DropOldest() const;

  std::optional<std::filesystem::path> folder_;
  WallClock clock_;
  PinnedBackups pinned_;
};

}  // namespace userdb::storage
