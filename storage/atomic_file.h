#pragma once
// Files written whole or not at all.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace userdb::storage {

enum class FileWriteOutcome {
  Written,
  CannotWrite,    // the temporary beside the target could not be written
  CannotReplace,  // it could not be renamed over the target, which is as it was
};

struct FileWriteResult {
  FileWriteOutcome outcome = FileWriteOutcome::Written;
  std::string message;  // why not, naming the file, with the system's words where it has any

  explicit operator bool() const { return outcome == FileWriteOutcome::Written; }
};

// Writes a temporary file beside the target and renames it over the target, so an existing
// file is never left half overwritten.
FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace userdb::storage
