#include "sim/image_file.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "storage/atomic_file.h"

namespace userdb::sim {

std::optional<FlashImage> LoadFlashImage(const std::filesystem::path& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = path.string() + ": cannot be read";
    return std::nullopt;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() != kFlashImageSize) {
    error = path.string() + ": " + std::to_string(bytes.size()) + " bytes, not " + std::to_string(kFlashImageSize);
    return std::nullopt;
  }
  FlashImage image{};
  for (std::size_t i = 0; i < kFlashImageSize; ++i) image[i] = static_cast<std::uint8_t>(bytes[i]);
  return image;
}

bool SaveFlashImage(const std::filesystem::path& path, const FlashImage& image, std::string& error) {
  return storage::WriteFileAtomically(path, image, error);
}

}  // namespace userdb::sim
