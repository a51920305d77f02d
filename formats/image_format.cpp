#include "formats/image_format.h"

#include <algorithm>

namespace userdb::formats {

std::string WriteImage(const UserDatabase& database) {
  const TransferImage image = database.Image();
  return {image.begin(), image.end()};
}

ReadResult ReadImage(std::string_view bytes) {
  if (bytes.size() != kImageSize) {
    return Refused(ProblemAt(0, "",
                             "holds " + std::to_string(bytes.size()) + " bytes, not the " + std::to_string(kImageSize) +
                                 " of a database image"));
  }
  TransferImage image{};
  std::transform(bytes.begin(), bytes.end(), image.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
  ReadResult result;
  result.points.database.SetImage(image);
  return result;
}

}  // namespace userdb::formats
