#pragma once
// The shape of a page: eight rows, each with fourteen fields in reading order. The window lays
// its controls out by it, the database counts its pages by it; a field's FieldErrorMask bit is
// 1 << its index.

#include <cstddef>

namespace userdb {

inline constexpr int kRowsPerPage = 8;

inline constexpr int kLongitudeFirstField = 0;  // hemisphere, degrees, minutes, seconds, hundredths
inline constexpr int kLatitudeFirstField = 5;
inline constexpr int kCoordinateFieldCount = 5;
inline constexpr int kSpeedField = 10;
inline constexpr int kDirectionField = 11;
inline constexpr int kTypeField = 12;
inline constexpr int kNoteField = 13;
inline constexpr int kShortFieldCount = 13;  // every field but the note
inline constexpr int kRowFieldCount = 14;

// Read buffers, terminator included, as the window's text reads cut them.
inline constexpr std::size_t kShortFieldBuffer = 32;
inline constexpr std::size_t kNoteBuffer = 130;

}  // namespace userdb
