#pragma once
// What each field of a point may hold, as the window's page check judges it. The file formats,
// the rules a file passes before it goes to a device and the merge take the same numbers from
// here, so a point that one of them accepts is one the window accepts too.

#include <cstddef>
#include <cstdint>

#include "database/user_database.h"

namespace userdb {

// Typed coordinates: whole degrees below these, then minutes, seconds and hundredths.
inline constexpr std::uint32_t kLongitudeDegreesBound = 180;
inline constexpr std::uint32_t kLatitudeDegreesBound = 90;
inline constexpr std::uint32_t kMinutesBound = 60;
inline constexpr std::uint32_t kSecondsBound = 60;
inline constexpr std::uint32_t kHundredthsBound = 100;

// Speeds in the unit they are typed or written in (km/h or mph), directions in degrees and the
// types the device knows: each below its bound.
inline constexpr std::uint32_t kSpeedBound = 1000;
inline constexpr std::uint32_t kLargestSpeed = kSpeedBound - 1;
inline constexpr std::uint32_t kDirectionBound = 360;
inline constexpr std::uint32_t kLargestDirection = kDirectionBound - 1;
inline constexpr std::uint32_t kTypeBound = 2;
inline constexpr std::uint32_t kLargestType = kTypeBound - 1;

// Longest note text that still leaves the block's closing 0xFF.
inline constexpr std::size_t kMaxNoteLength = kNoteSize - 1;

}  // namespace userdb
