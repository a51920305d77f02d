#include "window/resources/indexed_icon.h"

namespace userdb {

std::optional<std::uint8_t> PaletteIndex(char pixel) {
  if (pixel >= '0' && pixel <= '9') return static_cast<std::uint8_t>(pixel - '0');
  if (pixel >= 'a' && pixel <= 'f') return static_cast<std::uint8_t>(pixel - 'a' + 10);
  return std::nullopt;
}

std::vector<std::uint8_t> RenderRgba(const IndexedImage& image, const IconPalette& palette) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(image.size) * static_cast<std::size_t>(image.size) * 4);
  for (std::string_view row : image.rows) {
    for (char pixel : row) {
      const std::optional<std::uint8_t> index = PaletteIndex(pixel);
      const Rgb colour = index ? palette[*index] : Rgb{};
      rgba.insert(rgba.end(), {colour.red, colour.green, colour.blue, static_cast<std::uint8_t>(index ? 255 : 0)});
    }
  }
  return rgba;
}

}  // namespace userdb
