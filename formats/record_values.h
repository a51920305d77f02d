#pragma once
// A record's values as the texts of a file: numbers in decimal, an empty text for a field's
// "no value", the device's own bytes 13 to 15 in hex. Shared by the lossless formats.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "database/user_database.h"

namespace userdb::formats {

inline constexpr std::size_t kExtraBytesOffset = 13;
inline constexpr std::size_t kExtraBytesSize = kRecordSize - kExtraBytesOffset;

// A record holds a point, or some byte of it or of its note that an erased one would not.
bool HoldsAnything(const UserDatabase& database, std::size_t record);

std::string OptionalNumberText(std::uint32_t value, std::uint32_t absent);

// Empty text gives absent; otherwise a decimal number up to largest. None with the reason in problem.
std::optional<std::uint32_t> ParseOptionalNumber(std::string_view text, std::uint32_t absent, std::uint32_t largest,
                                                 std::string& problem);

// The record's index in a file: a decimal number below 256. None with the reason in problem.
std::optional<std::size_t> ParseRecordIndex(std::string_view text, std::string& problem);

std::string ExtraBytesText(const UserDatabase& database, std::size_t record);
// Empty text leaves the bytes erased (0xFF). False when the text is not 6 hex digits.
bool ReadExtraBytes(std::string_view text, UserDatabase& database, std::size_t record);

}  // namespace userdb::formats
