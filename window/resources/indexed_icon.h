#pragma once
// A 16-colour icon kept as text: each image is rows of characters, one per pixel.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace userdb {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

inline constexpr int kIconColourCount = 16;
using IconPalette = std::array<Rgb, kIconColourCount>;

// '0'-'9' and 'a'-'f' pick a palette entry; this one lets the background show through.
inline constexpr char kTransparentPixel = '.';

struct IndexedImage {
  int size = 0;  // pixels per side; rows run top to bottom
  std::span<const std::string_view> rows;
};

struct IndexedIcon {
  IconPalette palette;
  std::vector<IndexedImage> images;  // largest first
};

// The palette index a pixel character names; none for a transparent or unknown character.
std::optional<std::uint8_t> PaletteIndex(char pixel);

// Top-down RGBA, 4 bytes a pixel; transparent pixels have alpha 0.
std::vector<std::uint8_t> RenderRgba(const IndexedImage& image, const IconPalette& palette);

}  // namespace userdb
