#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <span>
#include <string_view>
#include <vector>

#include "base/little_endian.h"
#include "window/resources/ico_file.h"
#include "window/resources/icon_128.h"
#include "window/resources/indexed_icon.h"

namespace userdb {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr std::size_t kPaletteSize = 64;

TEST(Icon128, TwoSquareImagesOf32And16Pixels) {
  const IndexedIcon& icon = Icon128();
  ASSERT_EQ(icon.images.size(), 2u);
  EXPECT_EQ(icon.images[0].size, 32);
  EXPECT_EQ(icon.images[1].size, 16);
  for (const IndexedImage& image : icon.images) {
    ASSERT_EQ(image.rows.size(), static_cast<std::size_t>(image.size));
    for (std::string_view row : image.rows) EXPECT_EQ(row.size(), static_cast<std::size_t>(image.size)) << row;
  }
}

TEST(Icon128, EveryPixelIsAPaletteIndexOrTransparent) {
  for (const IndexedImage& image : Icon128().images) {
    std::set<int> colours;
    bool hasTransparent = false;
    for (std::string_view row : image.rows) {
      for (char pixel : row) {
        const std::optional<std::uint8_t> index = PaletteIndex(pixel);
        if (index) {
          colours.insert(*index);
        } else {
          EXPECT_EQ(pixel, kTransparentPixel) << "unknown pixel '" << pixel << "'";
          hasTransparent = true;
        }
      }
    }
    // A round sign: corners show through, and it is more than one flat colour.
    EXPECT_TRUE(hasTransparent) << image.size;
    EXPECT_EQ(image.rows.front().front(), kTransparentPixel) << image.size;
    EXPECT_GE(colours.size(), 4u) << image.size;
  }
}

TEST(IndexedIcon, PaletteIndexCoversExactlySixteenCharacters) {
  int accepted = 0;
  for (int c = 0; c < 256; ++c) {
    const std::optional<std::uint8_t> index = PaletteIndex(static_cast<char>(c));
    if (!index) continue;
    ++accepted;
    EXPECT_LT(*index, kIconColourCount);
  }
  EXPECT_EQ(accepted, kIconColourCount);
  EXPECT_EQ(PaletteIndex('0'), 0);
  EXPECT_EQ(PaletteIndex('9'), 9);
  EXPECT_EQ(PaletteIndex('a'), 10);
  EXPECT_EQ(PaletteIndex('f'), 15);
  EXPECT_FALSE(PaletteIndex(kTransparentPixel));
}

TEST(IndexedIcon, RenderRgbaMapsPaletteAndTransparency) {
  IconPalette palette{};
  palette[3] = {10, 20, 30};
  palette[15] = {200, 150, 100};
  const std::string_view rows[] = {"3.", "f3"};
  const std::vector<std::uint8_t> rgba = RenderRgba(IndexedImage{2, rows}, palette);
  const std::vector<std::uint8_t> expected = {10, 20, 30, 255, 0, 0, 0, 0, 200, 150, 100, 255, 10, 20, 30, 255};
  EXPECT_EQ(rgba, expected);
}

struct DirectoryEntry {
  int width;
  int height;
  int colourCount;
  int planes;
  int bitsPerPixel;
  std::uint32_t size;
  std::uint32_t offset;
};

DirectoryEntry ReadEntry(std::span<const std::uint8_t> file, std::size_t index) {
  const std::size_t at = kDirectoryHeaderSize + kDirectoryEntrySize * index;
  return {file[at],
          file[at + 1],
          file[at + 2],
          ReadLe16(file, at + 4),
          ReadLe16(file, at + 6),
          ReadLe32(file, at + 8),
          ReadLe32(file, at + 12)};
}

TEST(IcoFile, Icon128HeaderAndDirectoryParseBack) {
  const std::vector<std::uint8_t> file = IcoFileBytes(Icon128());
  ASSERT_GE(file.size(), kDirectoryHeaderSize + 2 * kDirectoryEntrySize);
  EXPECT_EQ(ReadLe16(file, 0), 0);  // reserved
  EXPECT_EQ(ReadLe16(file, 2), 1);  // icon, not cursor
  ASSERT_EQ(ReadLe16(file, 4), 2);

  std::size_t expectedOffset = kDirectoryHeaderSize + 2 * kDirectoryEntrySize;
  const int sizes[] = {32, 16};
  for (std::size_t i = 0; i < 2; ++i) {
    const DirectoryEntry entry = ReadEntry(file, i);
    EXPECT_EQ(entry.width, sizes[i]);
    EXPECT_EQ(entry.height, sizes[i]);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.bitsPerPixel, 4);
    EXPECT_EQ(entry.offset, expectedOffset);
    // Header, palette, 4-bit rows and 1-bit mask rows, each row a whole number of 32-bit words,
    // so both sizes take one word per mask row.
    const std::size_t maskRow = 4;
    const std::size_t colourRow = static_cast<std::size_t>(sizes[i]) / 2;
    EXPECT_EQ(entry.size, kBitmapHeaderSize + kPaletteSize + (colourRow + maskRow) * sizes[i]);

    const std::span<const std::uint8_t> bitmap = std::span(file).subspan(entry.offset);
    EXPECT_EQ(ReadLe32(bitmap, 0), 40u);
    EXPECT_EQ(ReadLe32(bitmap, 4), static_cast<std::uint32_t>(sizes[i]));
    EXPECT_EQ(ReadLe32(bitmap, 8), static_cast<std::uint32_t>(2 * sizes[i]));  // colour rows and mask rows
    EXPECT_EQ(ReadLe16(bitmap, 12), 1);
    EXPECT_EQ(ReadLe16(bitmap, 14), 4);
    EXPECT_EQ(ReadLe32(bitmap, 16), 0u);  // uncompressed
    EXPECT_EQ(ReadLe32(bitmap, 20), (colourRow + maskRow) * sizes[i]);
    expectedOffset += entry.size;
  }
  EXPECT_EQ(file.size(), expectedOffset);
}

// A 16 x 16 image small enough to follow by hand: bottom-up rows, high nibble first, mask bit
// set for transparent pixels, palette stored blue-green-red.
TEST(IcoFile, PixelsPaletteAndMaskAreEncodedBottomUp) {
  std::vector<std::string_view> rows(16, "ffffffffffffffff");
  rows[0] = "12..............";   // top row
  rows[15] = "a00000000000000.";  // bottom row
  IndexedIcon icon{};
  icon.palette[1] = {0x11, 0x22, 0x33};
  icon.images.push_back(IndexedImage{16, rows});

  const std::vector<std::uint8_t> file = IcoFileBytes(icon);
  const std::span<const std::uint8_t> bitmap = std::span(file).subspan(kDirectoryHeaderSize + kDirectoryEntrySize);
  const std::span<const std::uint8_t> palette = bitmap.subspan(kBitmapHeaderSize, kPaletteSize);
  EXPECT_EQ(palette[4], 0x33);  // blue
  EXPECT_EQ(palette[5], 0x22);  // green
  EXPECT_EQ(palette[6], 0x11);  // red
  EXPECT_EQ(palette[7], 0x00);

  const std::span<const std::uint8_t> colours = bitmap.subspan(kBitmapHeaderSize + kPaletteSize, 8 * 16);
  const std::span<const std::uint8_t> mask = bitmap.subspan(kBitmapHeaderSize + kPaletteSize + 8 * 16, 4 * 16);
  ASSERT_EQ(bitmap.size(), kBitmapHeaderSize + kPaletteSize + 8 * 16 + 4 * 16);

  // First stored row is the bottom one.
  EXPECT_EQ(colours[0], 0xA0);
  EXPECT_EQ(colours[7], 0x00);  // last pixel transparent, so colour 0
  EXPECT_EQ(mask[0], 0x00);
  EXPECT_EQ(mask[1], 0x01);
  EXPECT_EQ(mask[2], 0x00);  // padding
  // Last stored row is the top one.
  EXPECT_EQ(colours[15 * 8], 0x12);
  EXPECT_EQ(colours[15 * 8 + 1], 0x00);
  EXPECT_EQ(mask[15 * 4], 0x3F);
  EXPECT_EQ(mask[15 * 4 + 1], 0xFF);
  // An opaque white row in between.
  EXPECT_EQ(colours[8 * 8], 0xFF);
  EXPECT_EQ(mask[8 * 4], 0x00);
}

}  // namespace
}  // namespace userdb
