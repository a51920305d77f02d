#pragma once
// One row of the page as the user left it: its texts, the values they give and its faults.

#include <array>
#include <cstdint>
#include <string>

#include "base/page_layout.h"
#include "database/coordinate_codec.h"
#include "database/field_errors.h"
#include "database/user_database.h"

namespace userdb {

struct RowEntry {
  std::array<std::string, kShortFieldCount> texts;  // as read, cut to kShortFieldBuffer
  std::string note;                                 // as read, cut to kNoteBuffer
  // Values taken from the texts; a refused field holds its failure value.
  CoordinateParts longitude;
  CoordinateParts latitude;
  std::uint16_t speed = kNoSpeed;
  std::uint16_t direction = kNoDirection;
  std::uint8_t type = kNoType;
  int filledFields = 0;
  FieldErrorMask errors = 0;

  bool IsEmpty() const { return filledFields == 0; }
  bool NoteFits() const;
  // The record the texts encode; an empty row encodes the empty record.
  UserPoint TypedPoint() const;
};

// Judges the fourteen fields of a row, as the window's reads cut them; speeds are taken in the
// given SpeedUnit.
RowEntry JudgeRowTexts(std::array<std::string, kShortFieldCount> texts, std::string note, std::uint8_t speedUnit);

}  // namespace userdb
