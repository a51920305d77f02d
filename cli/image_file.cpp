#include "cli/image_file.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace userdb::cli {

std::optional<TransferImage> ReadImageFile(const std::filesystem::path& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() != kImageSize) {
    error = path.string() + " holds " + std::to_string(bytes.size()) + " bytes, not the " +
            std::to_string(kImageSize) + " of a database image";
    return std::nullopt;
  }
  TransferImage image{};
  for (std::size_t i = 0; i < kImageSize; ++i) image[i] = static_cast<std::uint8_t>(bytes[i]);
  return image;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
  std::filesystem::path temporary = path;
  temporary += ".partial";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
      error = "cannot write " + temporary.string();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, path, renameError);
  if (renameError) {
    error = "cannot replace " + path.string() + ": " + renameError.message();
    std::filesystem::remove(temporary, renameError);
    return false;
  }
  return true;
}

}  // namespace userdb::cli
