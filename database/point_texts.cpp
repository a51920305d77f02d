#include "database/point_texts.h"

#include "database/coordinate_codec.h"
#include "database/speed_codec.h"

namespace userdb {

namespace {
constexpr const char* kAbsentText = "NULL";

void WriteCoordinateTexts(std::uint32_t value, const char* setText, const char* clearText, PointTexts& texts,
                          int first) {
  const CoordinateParts parts = DecodeCoordinate(value);
  texts[first] = parts.hemisphereSet ? setText : clearText;
  texts[first + 1] = std::to_string(parts.degrees);
  texts[first + 2] = std::to_string(parts.minutes);
  texts[first + 3] = std::to_string(parts.seconds);
  texts[first + 4] = std::to_string(parts.hundredths);
}

std::string OptionalText(bool absent, std::uint32_t value) { return absent ? kAbsentText : std::to_string(value); }
}  // namespace

PointTexts TextsOfPoint(const UserPoint& point, std::uint8_t speedUnit) {
  PointTexts texts;
  WriteCoordinateTexts(point.longitude, "W", "E", texts, kLongitudeFirstField);
  WriteCoordinateTexts(point.latitude, "S", "N", texts, kLatitudeFirstField);
  texts[kSpeedField] = OptionalText(point.speed == kNoSpeed, ShownSpeed(point.speed, speedUnit));
  texts[kDirectionField] = OptionalText(point.direction == kNoDirection, point.direction);
  texts[kTypeField] = OptionalText(point.type == kNoType, point.type);
  return texts;
}

}  // namespace userdb
