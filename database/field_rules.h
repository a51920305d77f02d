#pragma once
// How a typed field is judged. Rules see the text exactly as read: no trimming, no case folding.

#include <cstdint>
#include <optional>
#include <string_view>

namespace userdb {

// The text's value when it is a number below bound.
std::optional<std::uint32_t> NumberBelow(std::string_view text, std::uint32_t bound);

// Whether the hemisphere is set (W or S), judged on the first character alone; none when that
// character is neither letter.
std::optional<bool> HemisphereSet(std::string_view text, char setLetter, char clearLetter);

// A speed, direction or type: a number below its bound, or any text beginning with "NULL"
// that is not a number, for no value.
struct OptionalNumber {
  bool accepted = false;
  std::optional<std::uint32_t> number;  // none for "NULL" and for refused text alike
};
OptionalNumber JudgeOptionalNumber(std::string_view text, std::uint32_t bound);

}  // namespace userdb
