#include "window/resources/png_file.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace userdb {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kLargestStoredBlock = 65535;

std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes, std::size_t from) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendChunk(std::vector<std::uint8_t>& file, std::string_view type, const std::vector<std::uint8_t>& data) {
  AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = file.size();
  file.insert(file.end(), type.begin(), type.end());
  file.insert(file.end(), data.begin(), data.end());
  AppendBigEndian(file, Crc32(file, typeAt));
}

// Each row led by filter type 0 (none), the pixels of the nearest source pixel.
std::vector<std::uint8_t> ScanLines(const IndexedImage& image, const IconPalette& palette, int size) {
  const std::vector<std::uint8_t> rgba = RenderRgba(image, palette);
  std::vector<std::uint8_t> lines;
  for (int y = 0; y < size; ++y) {
    lines.push_back(0);
    const int sourceY = y * image.size / size;
    for (int x = 0; x < size; ++x) {
      const auto pixel = static_cast<std::size_t>(sourceY * image.size + x * image.size / size) * 4;
      lines.insert(lines.end(), rgba.begin() + static_cast<std::ptrdiff_t>(pixel),
                   rgba.begin() + static_cast<std::ptrdiff_t>(pixel + 4));
    }
  }
  return lines;
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> stream{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kLargestStoredBlock, data.size() - at);
    const bool last = at + length == data.size();
    stream.push_back(last ? 1 : 0);
    stream.push_back(static_cast<std::uint8_t>(length));
    stream.push_back(static_cast<std::uint8_t>(length >> 8));
    stream.push_back(static_cast<std::uint8_t>(~length));
    stream.push_back(static_cast<std::uint8_t>(~length >> 8));
    stream.insert(stream.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                  data.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < data.size());
  AppendBigEndian(stream, Adler32(data));
  return stream;
}

}  // namespace

std::vector<std::uint8_t> PngFileBytes(const IndexedImage& image, const IconPalette& palette, int size) {
  std::vector<std::uint8_t> file(kSignature.begin(), kSignature.end());
  std::vector<std::uint8_t> header;
  AppendBigEndian(header, static_cast<std::uint32_t>(size));
  AppendBigEndian(header, static_cast<std::uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter choice, no interlace
  AppendChunk(file, "IHDR", header);
  AppendChunk(file, "IDAT", StoredZlib(ScanLines(image, palette, size)));
  AppendChunk(file, "IEND", {});
  return file;
}

}  // namespace userdb
