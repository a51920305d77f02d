#pragma once
// Files written whole or not at all.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace userdb::storage {

// Writes a temporary file beside the target and renames it over the target, so an existing
// file is never left half overwritten. False with the reason in error.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace userdb::storage
