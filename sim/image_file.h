#pragma once
// The device's flash image as a file of exactly 36864 bytes, so a simulated device can keep its
// database from one run to the next.

#include <filesystem>
#include <string>

#include "sim/device_memory.h"
#include "storage/atomic_file.h"

namespace userdb::sim {

enum class ImageFileOutcome {
  Loaded,
  CannotRead,
  WrongSize,
};

struct ImageFileResult {
  ImageFileOutcome outcome = ImageFileOutcome::Loaded;
  FlashImage image{};   // when loaded
  std::string message;  // why not, naming the file

  explicit operator bool() const { return outcome == ImageFileOutcome::Loaded; }
};

ImageFileResult LoadFlashImage(const std::filesystem::path& path);

// Writes beside the target and renames over it, so a crash never leaves half an image.
storage::FileWriteResult SaveFlashImage(const std::filesystem::path& path, const FlashImage& image);

}  // namespace userdb::sim
