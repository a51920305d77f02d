#pragma once
// A PNG file of one icon image, scaled to a square of any size by repeating or skipping pixels
// (the art is pixel art: smoothing would only blur it). Written with uncompressed deflate
// blocks, so that no compression library is needed for a few kilobytes.

#include <cstdint>
#include <vector>

#include "window/resources/indexed_icon.h"

namespace userdb {

// 8-bit RGBA, non-interlaced.
std::vector<std::uint8_t> PngFileBytes(const IndexedImage& image, const IconPalette& palette, int size);

}  // namespace userdb
