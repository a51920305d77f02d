#include "formats/osm_values.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "database/field_bounds.h"
#include "database/speed_codec.h"
#include "database/user_database.h"

namespace userdb::formats {
namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<std::uint32_t> WholeNumber(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

struct TypedSpeed {
  std::uint32_t value;
  std::uint8_t unit;
};

// "50", "50 km/h", "30 mph", "30mph"; a speed no sign shows (0, or past what a point holds) is none.
std::optional<TypedSpeed> OneSpeed(std::string_view text) {
  const std::size_t digits = text.find_first_not_of("0123456789");
  const std::optional<std::uint32_t> value = WholeNumber(text.substr(0, digits));
  if (!value || *value == 0 || *value > kLargestSpeed) return std::nullopt;
  const std::string_view unit = digits == std::string_view::npos ? std::string_view() : Trimmed(text.substr(digits));
  if (unit.empty() || unit == "km/h" || unit == "kmh" || unit == "kph") return TypedSpeed{*value, kSpeedUnitKilometer};
  if (unit == "mph") return TypedSpeed{*value, kSpeedUnitMile};
  return std::nullopt;
}

std::string UnitName(std::uint8_t unit) { return unit == kSpeedUnitMile ? "mph" : "km/h"; }

std::string Quoted(std::string_view name, std::string_view tag) {
  return std::string(name) + " \"" + std::string(tag) + "\"";
}

constexpr std::array<std::string_view, 16> kCompassPoints = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                             "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};

std::optional<std::uint16_t> CompassDegrees(std::string_view tag) {
  std::string upper(tag);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::size_t k = 0; k < kCompassPoints.size(); ++k) {
    if (upper == kCompassPoints[k]) return static_cast<std::uint16_t>(std::lround(static_cast<double>(k) * 22.5));
  }
  return std::nullopt;
}

// Whole or decimal degrees, 0 to 360.
std::optional<double> Degrees(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value >= 0 && value <= kDirectionBound)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

OsmReading SpeedOfMaxspeed(std::string_view tag, std::uint8_t deviceUnit) {
  if (Trimmed(tag).empty()) return {kNoSpeed, "no maxspeed: stored without a speed"};
  std::optional<TypedSpeed> lowest;
  std::uint16_t lowestStored = kNoSpeed;
  for (std::size_t start = 0;;) {
    const std::size_t semicolon = tag.find(';', start);
    if (const std::optional<TypedSpeed> speed = OneSpeed(Trimmed(tag.substr(start, semicolon - start)))) {
      const std::uint16_t stored = StoredSpeed(speed->value, speed->unit);
      if (!lowest || stored < lowestStored) {
        lowest = speed;
        lowestStored = stored;
      }
    }
    if (semicolon == std::string_view::npos) break;
    start = semicolon + 1;
  }
  if (!lowest) return {kNoSpeed, Quoted("maxspeed", tag) + ": stored without a speed"};
  // A speed in the device's own unit shows as the window shows the same number typed: no change.
  const bool several = tag.find(';') != std::string_view::npos;
  const std::string told = several ? Quoted("maxspeed", tag) + ": the lowest, " + std::to_string(lowest->value) + " " +
                                         UnitName(lowest->unit) + ","
                                   : Quoted("maxspeed", tag) + ":";
  if (lowest->unit != deviceUnit) {
    const std::uint32_t shown = ShownSpeed(lowestStored, deviceUnit);
    return {lowestStored, told + " converted to " + std::to_string(shown) + " " + UnitName(deviceUnit)};
  }
  if (several) return {lowestStored, told + " taken"};
  return {lowestStored, {}};
}

OsmReading DirectionOfTag(std::string_view tag) {
  const std::string_view trimmed = Trimmed(tag);
  if (trimmed.empty()) return {kNoDirection, {}};
  if (const std::optional<double> degrees = Degrees(trimmed)) {
    const auto whole = static_cast<std::uint16_t>(std::lround(*degrees) % kDirectionBound);
    if (whole == *degrees || (*degrees == kDirectionBound && whole == 0)) return {whole, {}};
    return {whole, Quoted("direction", tag) + ": stored as " + std::to_string(whole) + " degrees"};
  }
  if (const std::optional<std::uint16_t> degrees = CompassDegrees(trimmed)) {
    return {*degrees, Quoted("direction", tag) + ": stored as " + std::to_string(*degrees) + " degrees"};
  }
  return {kNoDirection, Quoted("direction", tag) + ": stored as a point without a direction"};
}

}  // namespace userdb::formats
