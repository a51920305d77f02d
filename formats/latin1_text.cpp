#include "formats/latin1_text.h"

#include <cstdio>

namespace userdb::formats {
namespace {

constexpr unsigned char kTwoByteLead = 0xC0;
constexpr unsigned char kContinuation = 0x80;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kPayloadMask = 0x3F;
constexpr unsigned kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
constexpr unsigned kLargestByte = 0xFF;

std::string CodePointName(unsigned codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", codePoint);
  return name;
}

// Length of the UTF-8 sequence its lead byte opens, 0 for a byte that opens none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Read through structured bindings, which cppcheck does not follow.
struct Decoded {
  unsigned codePoint;  // cppcheck-suppress unusedStructMember
  std::size_t length;  // cppcheck-suppress unusedStructMember
};

// The code point that starts the text; none when the text does not start with UTF-8.
std::optional<Decoded> DecodeFirst(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || length > text.size()) return std::nullopt;
  unsigned codePoint = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & kContinuationMask) != kContinuation) return std::nullopt;
    codePoint = (codePoint << 6) | (next & kPayloadMask);
  }
  if (codePoint < kSmallestOfLength[length]) return std::nullopt;  // an overlong form
  return Decoded{codePoint, length};
}

}  // namespace

std::string Utf8OfBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(kTwoByteLead | (byte >> 6));
      text += static_cast<char>(kContinuation | (byte & kPayloadMask));
    }
  }
  return text;
}

std::optional<std::string> BytesOfUtf8(std::string_view text, std::string& problem) {
  std::string bytes;
  while (!text.empty()) {
    const std::optional<Decoded> decoded = DecodeFirst(text);
    if (!decoded) {
      problem = "not UTF-8 text";
      return std::nullopt;
    }
    if (decoded->codePoint > kLargestByte) {
      problem = "character " + CodePointName(decoded->codePoint) +
                " is not one of the 256 a note can hold (U+0000 to U+00FF)";
      return std::nullopt;
    }
    bytes += static_cast<char>(decoded->codePoint);
    text.remove_prefix(decoded->length);
  }
  return bytes;
}

}  // namespace userdb::formats
