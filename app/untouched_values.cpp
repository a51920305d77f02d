#include "app/untouched_values.h"

namespace userdb {

namespace {
// True when fields first to first + count - 1 still show what the page view wrote and passed
// their rules: a refused value keeps its failure value.
bool IsUntouched(const RowEntry& entry, const ShownRow& shown, int first, int count) {
  for (int field = first; field < first + count; ++field) {
    if (entry.texts[field] != shown.texts[field]) return false;
    if ((entry.errors & FieldErrorBit(field)) != 0) return false;
  }
  return true;
}

template <typename Value>
void KeepIfUntouched(Value& value, Value shownValue, const RowEntry& entry, const ShownRow& shown, int first,
                     int count = 1) {
  if (IsUntouched(entry, shown, first, count)) value = shownValue;
}
}  // namespace

const ShownRow* ShownRowOf(const ShownPage& shown, std::uint16_t currentPage, int row) {
  if (!shown.valid || shown.page != currentPage || !shown.rows[row].filled) return nullptr;
  return &shown.rows[row];
}

UserPoint KeepUntouchedValues(UserPoint typed, const RowEntry& entry, const ShownRow& shown) {
  KeepIfUntouched(typed.longitude, shown.longitude, entry, shown, kLongitudeFirstField, kCoordinateFieldCount);
  KeepIfUntouched(typed.latitude, shown.latitude, entry, shown, kLatitudeFirstField, kCoordinateFieldCount);
  KeepIfUntouched(typed.speed, shown.speed, entry, shown, kSpeedField);
  KeepIfUntouched(typed.direction, shown.direction, entry, shown, kDirectionField);
  KeepIfUntouched(typed.type, shown.type, entry, shown, kTypeField);
  return typed;
}

}  // namespace userdb
