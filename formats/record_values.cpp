#include "formats/record_values.h"

#include <algorithm>

#include "database/parse_decimal.h"
#include "formats/hex_bytes.h"

namespace userdb::formats {
namespace {

constexpr std::uint8_t kErased = 0xFF;

bool Erased(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == kErased; });
}

}  // namespace

bool HoldsAnything(const UserDatabase& database, std::size_t record) {
  return !Erased(database.Record(record)) || !Erased(database.Note(record));
}

std::string OptionalNumberText(std::uint32_t value, std::uint32_t absent) {
  return value == absent ? std::string() : std::to_string(value);
}

std::optional<std::uint32_t> ParseOptionalNumber(std::string_view text, std::uint32_t absent, std::uint32_t largest,
                                                 std::string& problem) {
  if (text.empty()) return absent;
  const std::optional<std::uint64_t> value = ParseDecimal(text);
  if (!value) {
    problem = "\"" + std::string(text) + "\" is not a whole number";
    return std::nullopt;
  }
  if (*value > largest) {
    problem = std::string(text) + " is above " + std::to_string(largest);
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(*value);
}

std::optional<std::size_t> ParseRecordIndex(std::string_view text, std::string& problem) {
  const std::optional<std::uint64_t> value = ParseDecimal(text);
  if (!value || *value >= kRecordCount) {
    problem = "\"" + std::string(text) + "\" is not a record index from 0 to " + std::to_string(kRecordCount - 1);
    return std::nullopt;
  }
  return static_cast<std::size_t>(*value);
}

std::string ExtraBytesText(const UserDatabase& database, std::size_t record) {
  return HexOf(database.Record(record).subspan(kExtraBytesOffset, kExtraBytesSize));
}

bool ReadExtraBytes(std::string_view text, UserDatabase& database, std::size_t record) {
  const auto bytes = database.Record(record).subspan(kExtraBytesOffset, kExtraBytesSize);
  if (text.empty()) {
    std::fill(bytes.begin(), bytes.end(), kErased);
    return true;
  }
  return ReadHex(text, bytes);
}

}  // namespace userdb::formats
