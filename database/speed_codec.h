#pragma once
// Stored speeds are knots; the window shows and takes km/h or mph by the SpeedUnit.
// Only the unit byte 0 means mile: every other value takes the kilometer factors.

#include <cstdint>

namespace userdb {

std::uint32_t ShownSpeed(std::uint16_t stored, std::uint8_t speedUnit);

// typed must be below 1000, so the result fits 16 bits with room to spare.
std::uint16_t StoredSpeed(std::uint32_t typed, std::uint8_t speedUnit);

// A speed to write into a file that a reader stores back as exactly this stored value: the
// smallest typed value that does, else the shown one. Files that carry km/h or mph use it so
// that a point comes back unchanged.
std::uint32_t TypedSpeedFor(std::uint16_t stored, std::uint8_t speedUnit);

}  // namespace userdb
