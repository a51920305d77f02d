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
std::vector<Found> BackupsIn(const std::filesystem::path& folder) {
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

KeepResult BackupStore::Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber,
                             BackupReason /*reason*/) {
  if (!folder_) {
    return {KeepOutcome::NoFolder, {}, "No backup of the device was saved: no folder for it (set USERDB_DATA_DIR)"};
  }
  const std::string failed = "No backup of the device could be saved in " + folder_->string() + ": ";
  std::error_code error;
  std::filesystem::create_directories(*folder_, error);
  if (error) return {KeepOutcome::NotSaved, {}, failed + error.message()};
  BackupName name = NameFor(clock_(), serialNumber);
  while (std::filesystem::exists(*folder_ / name.FileName(), error)) ++name.sequence;
  const std::filesystem::path file = *folder_ / name.FileName();
  const FileWriteResult written = WriteFileAtomically(file, image);
  if (!written) return {KeepOutcome::NotSaved, {}, failed + written.message};
  DropOldest();
  return {KeepOutcome::Kept, file, {}};
}

void BackupStore::DropOldest() const {
  const std::vector<Found> found = BackupsIn(*folder_);
  for (std::size_t i = kBackupsKept; i < found.size(); ++i) {
    std::error_code ignored;  // one that cannot go now goes next time
    std::filesystem::remove(found[i].file, ignored);
  }
}

std::vector<BackupEntry> BackupStore::List() const {
  std::vector<BackupEntry> entries;
  if (!folder_) return entries;
  for (const Found& backup : BackupsIn(*folder_)) {
    const ImageLoadResult loaded = Load(backup.file);
    if (!loaded) continue;
    entries.push_back({backup.file, backup.name.Moment(), backup.name.serialNumber, PointsIn(loaded.image)});
  }
  return entries;
}

ImageLoadResult BackupStore::Load(const std::filesystem::path& file) const {
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  if (sizeError) return {ImageLoadOutcome::CannotRead, {}, "cannot read " + file.string() + ": " + sizeError.message()};
  if (size != kImageSize) {
    return {ImageLoadOutcome::NotAnImage,
            {},
            file.string() + ": " + std::to_string(size) + " bytes, not the " + std::to_string(kImageSize) +
                " of a device's database"};
  }
  std::ifstream stream(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (bytes.size() != kImageSize) return {ImageLoadOutcome::CannotRead, {}, "cannot read " + file.string()};
  ImageLoadResult loaded{ImageLoadOutcome::Loaded, {}, {}};
  std::transform(bytes.begin(), bytes.end(), loaded.image.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
  return loaded;
}

}  // namespace userdb::storage
