#include "database/field_rules.h"

#include "database/parse_decimal.h"

namespace userdb {

namespace {
constexpr std::string_view kNullText = "NULL";
}  // namespace

std::optional<std::uint32_t> NumberBelow(std::string_view text, std::uint32_t bound) {
  const auto value = ParseDecimal(text);
  if (!value || *value >= bound) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::optional<bool> HemisphereSet(std::string_view text, char setLetter, char clearLetter) {
  if (text.empty()) return std::nullopt;
  if (text.front() == setLetter) return true;
  if (text.front() == clearLetter) return false;
  return std::nullopt;
}

OptionalNumber JudgeOptionalNumber(std::string_view text, std::uint32_t bound) {
  if (ParseDecimal(text)) {
    const auto number = NumberBelow(text, bound);
    return OptionalNumber{.accepted = number.has_value(), .number = number};
  }
  return OptionalNumber{.accepted = text.starts_with(kNullText), .number = std::nullopt};
}

}  // namespace userdb
