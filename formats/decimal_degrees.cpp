#include "formats/decimal_degrees.h"

#include <algorithm>

#include "database/field_bounds.h"
#include "database/parse_decimal.h"

namespace userdb::formats {
namespace {

constexpr std::uint64_t kTenMillion = 10000000;  // 1e7: seven decimals
constexpr std::size_t kDecimalsShown = 7;
constexpr std::size_t kDecimalsUsed = 12;  // far below a unit, and 600000 x 1e12 fits 64 bits
constexpr std::uint64_t kLargestMagnitude = 0x7FFFFFFF;

std::uint64_t PowerOfTen(std::size_t exponent) {
  std::uint64_t power = 1;
  for (std::size_t i = 0; i < exponent; ++i) power *= 10;
  return power;
}

// Units for the decimals, rounded half up: decimals / 10^count degrees.
std::uint64_t FractionUnits(std::string_view decimals) {
  const std::string_view used = decimals.substr(0, std::min(decimals.size(), kDecimalsUsed));
  if (used.empty()) return 0;
  const std::uint64_t scale = PowerOfTen(used.size());
  return (*ParseDecimal(used) * kCoordinateUnitsPerDegree * 2 + scale) / (2 * scale);
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string DegreesText(std::uint32_t coordinate) {
  // degrees x 1e7 = units x 50 / 3, to the nearest: the remainder is never a half.
  const std::uint64_t scaled = (static_cast<std::uint64_t>(CoordinateMagnitude(coordinate)) * 50 + 1) / 3;
  std::string decimals = std::to_string(scaled % kTenMillion);
  decimals.insert(0, kDecimalsShown - decimals.size(), '0');
  const char* sign = (coordinate & kHemisphereBit) != 0 ? "-" : "";
  return sign + std::to_string(scaled / kTenMillion) + "." + decimals;
}

std::optional<std::uint32_t> CoordinateOfDegrees(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() || !AllDigits(whole) || !AllDigits(decimals)) return std::nullopt;
  if (point != std::string_view::npos && decimals.empty()) return std::nullopt;

  const std::uint64_t degrees = *ParseDecimal(whole);
  if (degrees > kLargestMagnitude / kCoordinateUnitsPerDegree) return std::nullopt;
  const std::uint64_t magnitude = degrees * kCoordinateUnitsPerDegree + FractionUnits(decimals);
  if (magnitude > kLargestMagnitude) return std::nullopt;
  const auto value = static_cast<std::uint32_t>(magnitude);
  return negative ? value | kHemisphereBit : value;
}

bool LongitudeOnTheGlobe(std::uint32_t longitude) {
  return CoordinateMagnitude(longitude) < kLongitudeDegreesBound * kCoordinateUnitsPerDegree;
}

bool LatitudeOnTheGlobe(std::uint32_t latitude) {
  return CoordinateMagnitude(latitude) <= kLatitudeDegreesBound * kCoordinateUnitsPerDegree;
}

bool OnAMap(const UserPoint& point) {
  return !point.IsEmpty() && LongitudeOnTheGlobe(point.longitude) && LatitudeOnTheGlobe(point.latitude);
}

}  // namespace userdb::formats
