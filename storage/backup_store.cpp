#include "storage/backup_store.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/path_text.h"
#include "database/user_database.h"
#include "storage/atomic_file.h"

namespace userdb::storage {
namespace {

using Found = BackupStore::Found;

// Newest first.
std::vector<Found> BackupsIn(const std::filesystem::path& folder) {
  std::vector<Found> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    if (auto name = ParseBackupName(PathText(entry.path().filename()))) found.push_back({*name, entry.path()});
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.name > b.name; });
  return found;
}

bool IsPinned(const std::filesystem::path& file, const std::vector<std::filesystem::path>& pinned) {
  return std::any_of(pinned.begin(), pinned.end(), [&](const std::filesystem::path& pin) {
    std::error_code missing;  // a pin of a file that is gone holds nothing
    return std::filesystem::equivalent(file, pin, missing);
  });
}

bool Holds(const Backups& backups, const std::filesystem::path& file, const TransferImage& image) {
  const ImageLoadResult loaded = backups.Load(file);
  return loaded && loaded.image == image;
}

// Within a second, whatever their device or mark, the sequence orders the backups as taken: the
// new name comes after every other of its second. own, a backup about to move, is none of them.
BackupName NextName(BackupName name, const std::vector<Found>& found, const std::filesystem::path& own = {}) {
  unsigned last = 0;
  for (const Found& backup : found) {
    if (backup.file == own || backup.name.date != name.date || backup.name.time != name.time) continue;
    last = std::max(last, backup.name.sequence);
  }
  name.sequence = last + 1;
  return name;
}

std::filesystem::file_time_type FileTime(std::time_t moment) {
  return std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(moment));
}

}  // namespace

BackupStore::BackupStore(std::optional<std::filesystem::path> folder, WallClock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

WallClock BackupStore::DefaultClock() {
  return [] { return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()); };
}

KeepResult BackupStore::Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber,
                             BackupReason reason) {
  if (!folder_) {
    return {KeepOutcome::NoFolder, {}, "No backup of the device was saved: no folder for it (set USERDB_DATA_DIR)"};
  }
  const std::string failed = "No backup of the device could be saved in " + folder_->string() + ": ";
  std::error_code error;
  std::filesystem::create_directories(*folder_, error);
  if (error) return {KeepOutcome::NotSaved, {}, failed + error.message()};
  const bool beforeWrite = reason == BackupReason::BeforeWrite;
  const std::vector<Found> found = BackupsIn(*folder_);
  const auto newest = std::find_if(found.begin(), found.end(),
                                   [&](const Found& backup) { return backup.name.serialNumber == serialNumber; });
  // A pinned file keeps its name, which is how its record finds it; the copy then goes anew.
  if (newest != found.end() && !IsPinned(newest->file, Pinned()) && Holds(*this, newest->file, image)) {
    KeepResult refreshed = Refresh(*newest, found, beforeWrite, failed);
    DropOldest();
    return refreshed;
  }
  BackupName name = NameFor(clock_(), serialNumber);
  name.beforeWrite = beforeWrite;
  const std::filesystem::path file = *folder_ / NextName(name, found).FileName();
  const FileWriteResult written = WriteFileAtomically(file, image);
  if (!written) return {KeepOutcome::NotSaved, {}, failed + written.message};
  DropOldest();
  return {KeepOutcome::Kept, file, {}};
}

// The copy moves to a name of this moment rather than only being touched: the names are what the
// list, the retention and restore's choice go by, so they stay in the order the device was seen.
KeepResult BackupStore::Refresh(const Found& kept, const std::vector<Found>& found, bool beforeWrite,
                                const std::string& failed) const {
  BackupName name = NameFor(clock_(), kept.name.serialNumber);
  name.beforeWrite = beforeWrite || kept.name.beforeWrite;
  const std::filesystem::path renamed = *folder_ / NextName(name, found, kept.file).FileName();
  std::error_code error;
  if (renamed != kept.file) std::filesystem::rename(kept.file, renamed, error);
  if (error) return {KeepOutcome::NotSaved, {}, failed + PathText(kept.file) + ": " + error.message()};
  std::filesystem::last_write_time(renamed, FileTime(clock_()), error);  // the name tells the moment anyway
  return {KeepOutcome::Kept, renamed, {}};
}

std::vector<std::filesystem::path> BackupStore::Pinned() const {
  return pinned_ ? pinned_() : std::vector<std::filesystem::path>{};
}

// Beyond the newest kBackupsKept, every backup goes but the newest before-write one of each device
// and the pinned ones.
void BackupStore::DropOldest() const {
  const std::vector<Found> found = BackupsIn(*folder_);
  const std::vector<std::filesystem::path> pinned = Pinned();
  std::vector<std::optional<std::uint32_t>> markedSeen;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const BackupName& name = found[i].name;
    const bool newestMarked =
        name.beforeWrite && std::find(markedSeen.begin(), markedSeen.end(), name.serialNumber) == markedSeen.end();
    if (newestMarked) markedSeen.push_back(name.serialNumber);
    if (i < kBackupsKept || newestMarked || IsPinned(found[i].file, pinned)) continue;
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
    entries.push_back({backup.file, backup.name.Moment(), backup.name.serialNumber, CountPoints(loaded.image),
                       backup.name.beforeWrite});
  }
  return entries;
}

ImageLoadResult BackupStore::Load(const std::filesystem::path& file) const {
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  if (sizeError)
    return {ImageLoadOutcome::CannotRead, {}, "cannot read " + PathText(file) + ": " + sizeError.message()};
  if (size != kImageSize) {
    return {ImageLoadOutcome::NotAnImage,
            {},
            PathText(file) + ": " + std::to_string(size) + " bytes, not the " + std::to_string(kImageSize) +
                " of a device's database"};
  }
  std::ifstream stream(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (bytes.size() != kImageSize) return {ImageLoadOutcome::CannotRead, {}, "cannot read " + PathText(file)};
  ImageLoadResult loaded{ImageLoadOutcome::Loaded, {}, {}};
  std::transform(bytes.begin(), bytes.end(), loaded.image.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
  return loaded;
}

}  // namespace userdb::storage
