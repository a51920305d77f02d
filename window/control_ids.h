#pragma once
// Numeric IDs of the main window's controls. Row fields lie at fixed offsets from base IDs.

#include "base/page_layout.h"

namespace userdb::ids {

inline constexpr int kLoadDatabase = 1;  // default button, the window's OK command
inline constexpr int kExit = 2;          // the window's cancel command
inline constexpr int kExitAndWrite = 3;
inline constexpr int kNextPage = 1677;
inline constexpr int kPageLabel = 1678;
inline constexpr int kPreviousPage = 1679;
inline constexpr int kSavePage = 1680;
inline constexpr int kOpenPort = 1681;
inline constexpr int kClearData = 1682;
inline constexpr int kAutoOpenPort = 1683;
inline constexpr int kPortList = 1252;
inline constexpr int kStatusBox = 1209;
inline constexpr int kUnitLabel = 1249;
inline constexpr int kSerialNumberLabel = 1253;
inline constexpr int kDatabaseVersionLabel = 1254;
inline constexpr int kFirmwareVersionLabel = 1255;
inline constexpr int kHardwareVersionLabel = 1256;
inline constexpr int kStatic = -1;  // static texts the program never addresses

inline constexpr int kRowCheckBase = 1233;
inline constexpr int kLongitudeBase = 1001;
inline constexpr int kLatitudeBase = 1041;
inline constexpr int kSpeedBase = 1081;
inline constexpr int kDirectionBase = 1089;
inline constexpr int kTypeBase = 1097;
inline constexpr int kNoteBase = 1105;

inline constexpr int kAboutIcon = 128;
inline constexpr int kAboutOk = 1;

// Parts of a coordinate, in the order of their fields.
enum class CoordinatePart { Hemisphere = 0, Degrees, Minutes, Seconds, Hundredths };

constexpr int RowCheck(int row) { return kRowCheckBase + row; }
constexpr int LongitudeField(int row, CoordinatePart part) {
  return kLongitudeBase + kCoordinateFieldCount * row + static_cast<int>(part);
}
constexpr int LatitudeField(int row, CoordinatePart part) {
  return kLatitudeBase + kCoordinateFieldCount * row + static_cast<int>(part);
}
constexpr int SpeedField(int row) { return kSpeedBase + row; }
constexpr int DirectionField(int row) { return kDirectionBase + row; }
constexpr int TypeField(int row) { return kTypeBase + row; }
constexpr int NoteField(int row) { return kNoteBase + row; }

// The control of field `index` (page_layout.h) of a row.
constexpr int RowField(int row, int index) {
  if (index < kLatitudeFirstField)
    return LongitudeField(row, static_cast<CoordinatePart>(index - kLongitudeFirstField));
  if (index < kSpeedField) return LatitudeField(row, static_cast<CoordinatePart>(index - kLatitudeFirstField));
  switch (index) {
    case kSpeedField:
      return SpeedField(row);
    case kDirectionField:
      return DirectionField(row);
    case kTypeField:
      return TypeField(row);
    default:
      return NoteField(row);
  }
}

}  // namespace userdb::ids
