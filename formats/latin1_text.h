#pragma once
// Notes are 8-bit bytes without a character set of their own. Files carry them as UTF-8 with
// each byte standing for the code point of the same number (ISO 8859-1), so every byte,
// 0x80 to 0xFF included, comes back as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace userdb::formats {

std::string Utf8OfBytes(std::string_view bytes);

// The bytes the text stands for; none when it is not UTF-8 or holds a character above U+00FF,
// with the reason in problem.
std::optional<std::string> BytesOfUtf8(std::string_view text, std::string& problem);

// The bytes for a name from elsewhere: characters above U+00FF become their nearest Latin
// letters where there is one (ł is l, ő is o, € is EUR), else '?'. None when the text is not
// UTF-8; how many characters were changed so in transliterated and replaced.
struct Latin1Conversion {
  std::string bytes;
  std::size_t transliterated = 0;
  std::size_t replaced = 0;
};
std::optional<Latin1Conversion> Latin1OfUtf8(std::string_view text);

}  // namespace userdb::formats
