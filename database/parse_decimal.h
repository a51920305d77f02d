#pragma once
// Typed numbers: decimal digits only, leading zeros allowed, no sign, blank or point.

#include <cstdint>
#include <optional>
#include <string_view>

namespace userdb {

// The text's value, or none when it is not a number. A value too large for 64 bits comes back
// as UINT64_MAX, which lies above every bound a field has.
std::optional<std::uint64_t> ParseDecimal(std::string_view text);

}  // namespace userdb
