// ParseDecimal on any text, against the standard library's own reading of decimal digits.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

#include "database/parse_decimal.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using userdb::fuzz::Require;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::uint64_t> value = userdb::ParseDecimal(text);
  const bool digitsOnly =
      !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  Require(value.has_value() == digitsOnly, "a number is a text of decimal digits only");
  if (!digitsOnly) return 0;
  std::uint64_t expected = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
  if (error == std::errc::result_out_of_range) expected = std::numeric_limits<std::uint64_t>::max();
  Require(end == text.data() + text.size(), "from_chars reads every digit");
  Require(*value == expected, "the value is the digits' value, or UINT64_MAX above 64 bits");
  return 0;
}
