#pragma once
// The copies of the device kept in the backups folder: one .bin image for each download, named
// by the moment and the device's serial number, the newest kBackupsKept of them.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/backups.h"

namespace userdb::storage {

inline constexpr std::size_t kBackupsKept = 50;

// The moment a backup is taken, as the calendar has it; replaceable so that tests can name it.
using WallClock = std::function<std::time_t()>;

class BackupStore final : public Backups {
 public:
  // Nothing for a folder: the environment names none, and every Keep says so.
  explicit BackupStore(std::optional<std::filesystem::path> folder, WallClock clock = DefaultClock());

  KeepResult Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber, BackupReason reason) override;
  std::vector<BackupEntry> List() const override;
  ImageLoadResult Load(const std::filesystem::path& file) const override;
  const std::optional<std::filesystem::path>& Folder() const override { return folder_; }

  static WallClock DefaultClock();

 private:
  void DropOldest() const;

  std::optional<std::filesystem::path> folder_;
  WallClock clock_;
};

}  // namespace userdb::storage
