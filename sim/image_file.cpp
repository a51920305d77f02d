#include "sim/image_file.h"

#include <fstream>
#include <iterator>
#include <vector>

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
  const std::filesystem::path temporary = path.string() + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
      error = temporary.string() + ": cannot be written";
      return false;
    }
  }
  std::error_code failure;
  std::filesystem::rename(temporary, path, failure);
  if (failure) error = path.string() + ": " + failure.message();
  return !failure;
}

}  // namespace userdb::sim
