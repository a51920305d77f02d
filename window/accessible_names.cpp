#include "window/accessible_names.h"

#include <array>
#include <string_view>

#include "window/control_ids.h"

namespace userdb {
namespace {

constexpr std::array<std::string_view, kCoordinateFieldCount> kCoordinateParts{"hemisphere", "degrees", "minutes",
                                                                               "seconds", "hundredths"};

// cppcheck does not follow the members through std::optional.
struct FieldPlace {
  int row;    // cppcheck-suppress unusedStructMember
  int index;  // cppcheck-suppress unusedStructMember
};

std::optional<FieldPlace> FieldPlaceOf(int controlId) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    for (int index = 0; index < kRowFieldCount; ++index) {
      if (ids::RowField(row, index) == controlId) return FieldPlace{row, index};
    }
  }
  return std::nullopt;
}

// "longitude degrees", "speed", "note".
std::string FieldWords(int index) {
  if (index < kLatitudeFirstField) return "longitude " + std::string(kCoordinateParts[index - kLongitudeFirstField]);
  if (index < kSpeedField) return "latitude " + std::string(kCoordinateParts[index - kLatitudeFirstField]);
  switch (index) {
    case kSpeedField:
      return "speed";
    case kDirectionField:
      return "direction";
    case kTypeField:
      return "type";
    default:
      return "note";
  }
}

std::string Capitalised(std::string words) {
  if (!words.empty() && words[0] >= 'a' && words[0] <= 'z') words[0] = static_cast<char>(words[0] - 'a' + 'A');
  return words;
}

std::optional<std::string> NameOutsideRows(int controlId) {
  switch (controlId) {
    case ids::kPortList:
      return "COM port";
    case ids::kStatusBox:
      return "Status messages";
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> AccessibleName(int controlId) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    if (controlId == ids::RowCheck(row)) return "Mark row " + std::to_string(row) + " for Clear data";
  }
  if (const std::optional<FieldPlace> field = FieldPlaceOf(controlId)) {
    return "Row " + std::to_string(field->row) + " " + FieldWords(field->index);
  }
  return NameOutsideRows(controlId);
}

std::optional<std::string> AccessibleDescription(int controlId) {
  if (controlId == ids::kUnitLabel) return "Speed unit";
  const std::optional<FieldPlace> field = FieldPlaceOf(controlId);
  if (!field) return std::nullopt;
  const std::string words = FieldWords(field->index);
  const std::size_t blank = words.find(' ');
  if (blank == std::string::npos) return Capitalised(words);
  return Capitalised(words.substr(0, blank)) + ", " + words.substr(blank + 1);
}

}  // namespace userdb
