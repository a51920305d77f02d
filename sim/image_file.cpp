#include "sim/image_file.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace userdb::sim {

ImageFileResult LoadFlashImage(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {ImageFileOutcome::CannotRead, {}, path.string() + ": cannot be read"};
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() != kFlashImageSize) {
    return {ImageFileOutcome::WrongSize,
            {},
            path.string() + ": " + std::to_string(bytes.size()) + " bytes, not " + std::to_string(kFlashImageSize)};
  }
  ImageFileResult loaded;
  for (std::size_t i = 0; i < kFlashImageSize; ++i) loaded.image[i] = static_cast<std::uint8_t>(bytes[i]);
  return loaded;
}

storage::FileWriteResult SaveFlashImage(const std::filesystem::path& path, const FlashImage& image) {
  return storage::WriteFileAtomically(path, image);
}

}  // namespace userdb::sim
