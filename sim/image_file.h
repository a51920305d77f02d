#pragma once
// The device's flash image as a file of exactly 36864 bytes, so a simulated device can keep its
// database from one run to the next.

#include <filesystem>
#include <optional>
#include <string>

#include "sim/device_memory.h"

namespace userdb::sim {

// The image, or nothing with the reason in error (a missing file, or one of another size).
std::optional<FlashImage> LoadFlashImage(const std::filesystem::path& path, std::string& error);

// Writes beside the target and renames over it, so a crash never leaves half an image.
bool SaveFlashImage(const std::filesystem::path& path, const FlashImage& image, std::string& error);

}  // namespace userdb::sim
