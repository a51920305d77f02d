#pragma once
// The copies of the device the program keeps: one after every download, before anything can be
// written over it, listed for the user and loaded back when asked.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/user_database.h"

namespace userdb {

struct BackupEntry {
  std::filesystem::path file;
  std::string taken;                          // "2026-12-09 01:02:03", local time
  std::optional<std::uint32_t> serialNumber;  // when the device had told it
  std::size_t points = 0;
  bool beforeWrite = false;  // taken of the device just before the program wrote over it
};

// Why a copy is kept: every download leaves one; one taken just before a write is the copy that
// matters most when the write breaks off, and is kept longest.
enum class BackupReason { Download, BeforeWrite };

enum class KeepOutcome {
  Kept,
  NoFolder,  // the environment names no data folder
  NotSaved,  // the folder or the file could not be written
};

struct KeepResult {
  KeepOutcome outcome = KeepOutcome::NotSaved;
  std::filesystem::path file;  // the backup written, when kept
  std::string message;         // what to tell the user otherwise, naming where it should have gone

  explicit operator bool() const { return outcome == KeepOutcome::Kept; }
};

enum class ImageLoadOutcome {
  Loaded,
  CannotRead,
  NotAnImage,  // a file of another size than one image
};

struct ImageLoadResult {
  ImageLoadOutcome outcome = ImageLoadOutcome::CannotRead;
  TransferImage image{};  // when loaded
  std::string message;    // why not, naming the file

  explicit operator bool() const { return outcome == ImageLoadOutcome::Loaded; }
};

class Backups {
 public:
  virtual ~Backups() = default;

  // A copy equal to the newest of the same device makes no new file: that one is kept, dated
  // now, and marked before-write when this copy is; the result names it.
  virtual KeepResult Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber,
                          BackupReason reason) = 0;
  // Newest first. Files in the folder that are not backups are left out and left alone.
  virtual std::vector<BackupEntry> List() const = 0;
  // A backup, or any file of exactly one image.
  virtual ImageLoadResult Load(const std::filesystem::path& file) const = 0;
  // Nothing when the environment names no data folder.
  virtual const std::optional<std::filesystem::path>& Folder() const = 0;
};

}  // namespace userdb
