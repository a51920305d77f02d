#include "formats/hex_bytes.h"

#include <optional>

namespace userdb::formats {
namespace {

constexpr std::string_view kDigits = "0123456789ABCDEF";

std::optional<std::uint8_t> DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

std::string HexOf(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

bool ReadHex(std::string_view text, std::span<std::uint8_t> bytes) {
  if (text.size() != bytes.size() * 2) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto high = DigitValue(text[2 * i]);
    const auto low = DigitValue(text[2 * i + 1]);
    if (!high || !low) return false;
    bytes[i] = static_cast<std::uint8_t>((*high << 4) | *low);
  }
  return true;
}

}  // namespace userdb::formats
