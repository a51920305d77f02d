#pragma once
// Bytes as hexadecimal text, two digits a byte, for what a file carries without interpreting.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace userdb::formats {

std::string HexOf(std::span<const std::uint8_t> bytes);  // upper-case, no separators

// Fills bytes from exactly 2 x bytes.size() digits of either case; false otherwise.
bool ReadHex(std::string_view text, std::span<std::uint8_t> bytes);

}  // namespace userdb::formats
