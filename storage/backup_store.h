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

#include "app/backup_sink.h"

namespace userdb::storage {

inline constexpr std::size_t kBackupsKept = 50;

struct BackupEntry {
  std::filesystem::path file;
  std::string taken;                          // "2026-12-09 01:02:03", local time
  std::optional<std::uint32_t> serialNumber;  // when the device had told it
  std::size_t points = 0;
};

// The moment a backup is taken, as the calendar has it; replaceable so that tests can name it.
using WallClock = std::function<std::time_t()>;

class BackupStore final : public BackupSink {
 public:
  // Nothing for a folder: the environment names none, and every Keep says so.
  explicit BackupStore(std::optional<std::filesystem::path> folder, WallClock clock = DefaultClock());

  std::optional<std::string> Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber) override;

  // Newest first. Files in the folder that are not backups are left out and left alone.
  std::vector<BackupEntry> List() const;

  const std::optional<std::filesystem::path>& Folder() const { return folder_; }
  // The backup the last successful Keep wrote.
  const std::optional<std::filesystem::path>& LastKept() const { return lastKept_; }

  static WallClock DefaultClock();

 private:
  std::filesystem::path FreeName(const std::string& stem) const;
  void DropOldest() const;

  std::optional<std::filesystem::path> folder_;
  WallClock clock_;
  std::optional<std::filesystem::path> lastKept_;
};

// The image a backup (or any file of exactly one image) holds; nothing with the reason.
std::optional<TransferImage> LoadBackup(const std::filesystem::path& file, std::string& error);

}  // namespace userdb::storage
