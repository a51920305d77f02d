#include "storage/backup_store.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

#include "storage/atomic_file.h"
#include "storage/backup_name.h"

namespace userdb::storage {
namespace {

struct Found {
  BackupName name;
  std::filesystem::path file;
};

// Newest first.
std::vector<Found> Backups(const std::filesystem::path& folder) {
  std::vector<Found> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    if (auto name = ParseBackupName(entry.path().filename().string())) found.push_back({*name, entry.path()});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.name > b.name; });
  return found;
}

std::size_t PointsIn(const TransferImage& image) {
  UserDatabase database;
  database.SetImage(image);
  std::size_t points = 0;
  for (std::size_t k = 0; k < kRecordCount; ++k) points += database.Point(k).IsEmpty() ? 0 : 1;
  return points;
}

}  // namespace

BackupStore::BackupStore(std::optional<std::filesystem::path> folder, WallClock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

WallClock BackupStore::DefaultClock() {
  return [] { return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()); };
}

std::optional<std::string> BackupStore::Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber) {
  if (!folder_) return std::string("No backup of the device was saved: no folder for it (set USERDB_DATA_DIR)");
  const std::string failed = "No backup of the device could be saved in " + folder_->string() + ": ";
  std::error_code error;
  std::filesystem::create_directories(*folder_, error);
  if (error) return failed + error.message();
  BackupName name = NameFor(clock_(), serialNumber);
  while (std::filesystem::exists(*folder_ / name.FileName(), error)) ++name.sequence;
  const std::filesystem::path file = *folder_ / name.FileName();
  std::string reason;
  if (!WriteFileAtomically(file, image, reason)) return failed + reason;
  lastKept_ = file;
  DropOldest();
  return std::nullopt;
}

void BackupStore::DropOldest() const {
  const std::vector<Found> found = Backups(*folder_);
  for (std::size_t i = kBackupsKept; i < found.size(); ++i) {
    std::error_code ignored;  // one that cannot go now goes next time
    std::filesystem::remove(found[i].file, ignored);
  }
}

std::vector<BackupEntry> BackupStore::List() const {
  std::vector<BackupEntry> entries;
  if (!folder_) return entries;
  for (const Found& backup : Backups(*folder_)) {
    std::string ignored;
    const std::optional<TransferImage> image = LoadBackup(backup.file, ignored);
    if (!image) continue;
    entries.push_back({backup.file, backup.name.Moment(), backup.name.serialNumber, PointsIn(*image)});
  }
  return entries;
}

std::optional<TransferImage> LoadBackup(const std::filesystem::path& file, std::string& error) {
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  if (sizeError) {
    error = "cannot read " + file.string() + ": " + sizeError.message();
    return std::nullopt;
  }
  if (size != kImageSize) {
    error = file.string() + ": " + std::to_string(size) + " bytes, not the " + std::to_string(kImageSize) +
            " of a device's database";
    return std::nullopt;
  }
  std::ifstream stream(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (bytes.size() != kImageSize) {
    error = "cannot read " + file.string();
    return std::nullopt;
  }
  TransferImage image{};
  std::transform(bytes.begin(), bytes.end(), image.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
  return image;
}

}  // namespace userdb::storage
