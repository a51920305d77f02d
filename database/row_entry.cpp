#include "database/row_entry.h"

#include "database/field_bounds.h"
#include "database/field_rules.h"
#include "database/note_codec.h"
#include "database/speed_codec.h"

namespace userdb {

namespace {
struct CoordinateRules {
  int firstField;
  char setLetter;
  char clearLetter;
  std::uint32_t degreesBound;
};
constexpr CoordinateRules kLongitudeRules{kLongitudeFirstField, 'W', 'E', kLongitudeDegreesBound};
constexpr CoordinateRules kLatitudeRules{kLatitudeFirstField, 'S', 'N', kLatitudeDegreesBound};

// A refused number counts as 0.
std::uint32_t TakeNumber(RowEntry& entry, int field, std::uint32_t bound) {
  const auto number = NumberBelow(entry.texts[field], bound);
  if (!number) entry.errors |= FieldErrorBit(field);
  return number.value_or(0);
}

// A refused hemisphere counts as E or N.
bool TakeHemisphere(RowEntry& entry, const CoordinateRules& rules) {
  const auto set = HemisphereSet(entry.texts[rules.firstField], rules.setLetter, rules.clearLetter);
  if (!set) entry.errors |= FieldErrorBit(rules.firstField);
  return set.value_or(false);
}

CoordinateParts TakeCoordinate(RowEntry& entry, const CoordinateRules& rules) {
  return CoordinateParts{
      .hemisphereSet = TakeHemisphere(entry, rules),
      .degrees = TakeNumber(entry, rules.firstField + 1, rules.degreesBound),
      .minutes = TakeNumber(entry, rules.firstField + 2, kMinutesBound),
      .seconds = TakeNumber(entry, rules.firstField + 3, kSecondsBound),
      .hundredths = TakeNumber(entry, rules.firstField + 4, kHundredthsBound),
  };
}

// None for "NULL" and for refused text; only the latter is a fault.
std::optional<std::uint32_t> TakeOptionalNumber(RowEntry& entry, int field, std::uint32_t bound) {
  const OptionalNumber judged = JudgeOptionalNumber(entry.texts[field], bound);
  if (!judged.accepted) entry.errors |= FieldErrorBit(field);
  return judged.number;
}

int CountFilledFields(const RowEntry& entry) {
  int filled = entry.note.empty() ? 0 : 1;
  for (const std::string& text : entry.texts) filled += text.empty() ? 0 : 1;
  return filled;
}
}  // namespace

bool RowEntry::NoteFits() const { return note.size() <= kMaxNoteLength; }

UserPoint RowEntry::TypedPoint() const {
  if (IsEmpty()) return UserPoint{};
  return UserPoint{
      .longitude = EncodeCoordinate(longitude),
      .latitude = EncodeCoordinate(latitude),
      .speed = speed,
      .direction = direction,
      .type = type,
  };
}

RowEntry JudgeRowTexts(std::array<std::string, kShortFieldCount> texts, std::string note, std::uint8_t speedUnit) {
  RowEntry entry;
  entry.texts = std::move(texts);
  entry.note = std::move(note);
  entry.filledFields = CountFilledFields(entry);
  entry.longitude = TakeCoordinate(entry, kLongitudeRules);
  entry.latitude = TakeCoordinate(entry, kLatitudeRules);
  const auto speed = TakeOptionalNumber(entry, kSpeedField, kSpeedBound);
  entry.speed = speed ? StoredSpeed(*speed, speedUnit) : kNoSpeed;
  entry.direction =
      static_cast<std::uint16_t>(TakeOptionalNumber(entry, kDirectionField, kDirectionBound).value_or(kNoDirection));
  entry.type = static_cast<std::uint8_t>(TakeOptionalNumber(entry, kTypeField, kTypeBound).value_or(kNoType));
  if (!entry.NoteFits()) entry.errors |= FieldErrorBit(kNoteField);
  return entry;
}

}  // namespace userdb
