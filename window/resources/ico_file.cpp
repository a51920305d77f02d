#include "window/resources/ico_file.h"

#include <cstddef>
#include <span>

#include "base/little_endian.h"

namespace userdb {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr std::size_t kPaletteSize = std::size_t{kIconColourCount} * 4;
constexpr std::uint16_t kIconResourceType = 1;
constexpr std::uint16_t kBitsPerPixel = 4;

// Bitmap rows are padded to whole 32-bit words.
std::size_t RowStride(int size, int bitsPerPixel) {
  return ((static_cast<std::size_t>(size) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

std::size_t ColourBitsSize(int size) { return RowStride(size, kBitsPerPixel) * static_cast<std::size_t>(size); }
std::size_t MaskBitsSize(int size) { return RowStride(size, 1) * static_cast<std::size_t>(size); }

std::size_t ImageSize(const IndexedImage& image) {
  return kBitmapHeaderSize + kPaletteSize + ColourBitsSize(image.size) + MaskBitsSize(image.size);
}

void WriteDirectoryEntry(std::span<std::uint8_t> entry, const IndexedImage& image, std::size_t imageOffset) {
  entry[0] = static_cast<std::uint8_t>(image.size);
  entry[1] = static_cast<std::uint8_t>(image.size);
  entry[2] = kIconColourCount;
  entry[3] = 0;
  WriteLe16(entry, 4, 1);  // planes
  WriteLe16(entry, 6, kBitsPerPixel);
  WriteLe32(entry, 8, static_cast<std::uint32_t>(ImageSize(image)));
  WriteLe32(entry, 12, static_cast<std::uint32_t>(imageOffset));
}

// The height counts the colour bitmap and the mask together; fields icons leave unused stay zero.
void WriteBitmapHeader(std::span<std::uint8_t> header, const IndexedImage& image) {
  WriteLe32(header, 0, kBitmapHeaderSize);
  WriteLe32(header, 4, static_cast<std::uint32_t>(image.size));
  WriteLe32(header, 8, static_cast<std::uint32_t>(2 * image.size));
  WriteLe16(header, 12, 1);  // planes
  WriteLe16(header, 14, kBitsPerPixel);
  WriteLe32(header, 20, static_cast<std::uint32_t>(ColourBitsSize(image.size) + MaskBitsSize(image.size)));
}

void WritePalette(std::span<std::uint8_t> palette, const IconPalette& colours) {
  for (std::size_t i = 0; i < colours.size(); ++i) {
    palette[4 * i] = colours[i].blue;
    palette[4 * i + 1] = colours[i].green;
    palette[4 * i + 2] = colours[i].red;
  }
}

// Both bitmaps run bottom-up. A transparent pixel is colour 0 with its mask bit set.
void WritePixels(std::span<std::uint8_t> colourBits, std::span<std::uint8_t> maskBits, const IndexedImage& image) {
  const std::size_t colourStride = RowStride(image.size, kBitsPerPixel);
  const std::size_t maskStride = RowStride(image.size, 1);
  for (std::size_t y = 0; y < image.rows.size(); ++y) {
    const std::size_t bottomUpRow = image.rows.size() - 1 - y;
    const std::string_view row = image.rows[y];
    for (std::size_t x = 0; x < row.size(); ++x) {
      const std::optional<std::uint8_t> index = PaletteIndex(row[x]);
      if (index) {
        const int shift = (x % 2 == 0) ? 4 : 0;
        colourBits[bottomUpRow * colourStride + x / 2] |= static_cast<std::uint8_t>(*index << shift);
      } else {
        maskBits[bottomUpRow * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
      }
    }
  }
}

void WriteImage(std::span<std::uint8_t> out, const IndexedImage& image, const IconPalette& palette) {
  const std::size_t colourBitsOffset = kBitmapHeaderSize + kPaletteSize;
  const std::size_t maskBitsOffset = colourBitsOffset + ColourBitsSize(image.size);
  WriteBitmapHeader(out.subspan(0, kBitmapHeaderSize), image);
  WritePalette(out.subspan(kBitmapHeaderSize, kPaletteSize), palette);
  WritePixels(out.subspan(colourBitsOffset, ColourBitsSize(image.size)),
              out.subspan(maskBitsOffset, MaskBitsSize(image.size)), image);
}

}  // namespace

std::vector<std::uint8_t> IcoFileBytes(const IndexedIcon& icon) {
  std::size_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * icon.images.size();
  std::size_t total = offset;
  for (const IndexedImage& image : icon.images) total += ImageSize(image);

  std::vector<std::uint8_t> file(total, 0);
  const std::span<std::uint8_t> bytes(file);
  WriteLe16(bytes, 2, kIconResourceType);
  WriteLe16(bytes, 4, static_cast<std::uint16_t>(icon.images.size()));
  for (std::size_t i = 0; i < icon.images.size(); ++i) {
    const IndexedImage& image = icon.images[i];
    WriteDirectoryEntry(bytes.subspan(kDirectoryHeaderSize + kDirectoryEntrySize * i, kDirectoryEntrySize), image,
                        offset);
    WriteImage(bytes.subspan(offset, ImageSize(image)), image, icon.palette);
    offset += ImageSize(image);
  }
  return file;
}

}  // namespace userdb
