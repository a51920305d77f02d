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

// Letters of Central and Eastern European languages and common signs, by their nearest Latin.
struct Transliteration {
  unsigned codePoint;
  std::string_view latin;
};
constexpr Transliteration kTransliterations[] = {
    {0x0100, "A"},  {0x0101, "a"},  {0x0102, "A"},   {0x0103, "a"},   {0x0104, "A"},  {0x0105, "a"}, {0x0106, "C"},
    {0x0107, "c"},  {0x010C, "C"},  {0x010D, "c"},   {0x010E, "D"},   {0x010F, "d"},  {0x0110, "D"}, {0x0111, "d"},
    {0x0112, "E"},  {0x0113, "e"},  {0x0116, "E"},   {0x0117, "e"},   {0x0118, "E"},  {0x0119, "e"}, {0x011A, "E"},
    {0x011B, "e"},  {0x011E, "G"},  {0x011F, "g"},   {0x0122, "G"},   {0x0123, "g"},  {0x012A, "I"}, {0x012B, "i"},
    {0x012E, "I"},  {0x012F, "i"},  {0x0130, "I"},   {0x0131, "i"},   {0x0136, "K"},  {0x0137, "k"}, {0x0139, "L"},
    {0x013A, "l"},  {0x013B, "L"},  {0x013C, "l"},   {0x013D, "L"},   {0x013E, "l"},  {0x0141, "L"}, {0x0142, "l"},
    {0x0143, "N"},  {0x0144, "n"},  {0x0145, "N"},   {0x0146, "n"},   {0x0147, "N"},  {0x0148, "n"}, {0x014C, "O"},
    {0x014D, "o"},  {0x0150, "O"},  {0x0151, "o"},   {0x0152, "OE"},  {0x0153, "oe"}, {0x0154, "R"}, {0x0155, "r"},
    {0x0158, "R"},  {0x0159, "r"},  {0x015A, "S"},   {0x015B, "s"},   {0x015E, "S"},  {0x015F, "s"}, {0x0160, "S"},
    {0x0161, "s"},  {0x0162, "T"},  {0x0163, "t"},   {0x0164, "T"},   {0x0165, "t"},  {0x016A, "U"}, {0x016B, "u"},
    {0x016E, "U"},  {0x016F, "u"},  {0x0170, "U"},   {0x0171, "u"},   {0x0172, "U"},  {0x0173, "u"}, {0x0178, "Y"},
    {0x0179, "Z"},  {0x017A, "z"},  {0x017B, "Z"},   {0x017C, "z"},   {0x017D, "Z"},  {0x017E, "z"}, {0x0218, "S"},
    {0x0219, "s"},  {0x021A, "T"},  {0x021B, "t"},   {0x2013, "-"},   {0x2014, "-"},  {0x2018, "'"}, {0x2019, "'"},
    {0x201C, "\""}, {0x201D, "\""}, {0x2026, "..."}, {0x20AC, "EUR"},
};

std::optional<std::string_view> LatinFor(unsigned codePoint) {
  for (const Transliteration& entry : kTransliterations) {
    if (entry.codePoint == codePoint) return entry.latin;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Latin1Conversion> Latin1OfUtf8(std::string_view text) {
  Latin1Conversion conversion;
  while (!text.empty()) {
    const std::optional<Decoded> decoded = DecodeFirst(text);
    if (!decoded) return std::nullopt;
    if (decoded->codePoint <= kLargestByte) {
      conversion.bytes += static_cast<char>(decoded->codePoint);
    } else if (const std::optional<std::string_view> latin = LatinFor(decoded->codePoint)) {
      conversion.bytes += *latin;
      ++conversion.transliterated;
    } else {
      conversion.bytes += '?';
      ++conversion.replaced;
    }
    text.remove_prefix(decoded->length);
  }
  return conversion;
}

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
