#pragma once
// CoordinateValues as signed decimal degrees, the way maps and spreadsheets write them.
// One stored unit (1/10000 minute) is 1/600000 degree, wider than the 1e-7 degree step of seven
// decimals; both directions round to the nearest, so seven decimals restore every value exactly.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "database/user_database.h"

namespace userdb::formats {

inline constexpr std::uint32_t kCoordinateUnitsPerDegree = 600000;
inline constexpr std::uint32_t kHemisphereBit = 0x80000000u;

// "-" for W or S (also for a magnitude of 0, so the bit survives), then degrees with 7 decimals.
std::string DegreesText(std::uint32_t coordinate);

// An optional sign, digits, and optionally a point and more digits (past the twelfth they no
// longer change the result), rounded to the nearest unit. None when the text is not such a
// number or its magnitude does not fit the 31 bits of a CoordinateValue.
std::optional<std::uint32_t> CoordinateOfDegrees(std::string_view text);

inline std::uint32_t CoordinateMagnitude(std::uint32_t coordinate) { return coordinate & ~kHemisphereBit; }

// Whether a map can place the coordinate: a longitude from -180 up to but not including 180
// degrees (either sign, so that the hemisphere bit survives), a latitude from -90 to 90.
bool LongitudeOnTheGlobe(std::uint32_t longitude);
bool LatitudeOnTheGlobe(std::uint32_t latitude);
// A point, both of whose coordinates a map can place.
bool OnAMap(const UserPoint& point);

}  // namespace userdb::formats
