#pragma once
// The 36864-byte transfer image as a file: records then notes, exactly as the device takes them.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "database/user_database.h"

namespace userdb::cli {

// The image, or nothing with the reason in error.
std::optional<TransferImage> ReadImageFile(const std::filesystem::path& path, std::string& error);

// Writes a temporary file beside the target and renames it over the target, so an
// existing file is never left half overwritten. False with the reason in error.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

}  // namespace userdb::cli
