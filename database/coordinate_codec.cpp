#include "database/coordinate_codec.h"

namespace userdb {

namespace {
constexpr std::uint32_t kHemisphereBit = 0x80000000u;
constexpr std::uint32_t kUnitsPerDegree = 600000;
constexpr std::uint32_t kUnitsPerMinute = 10000;
}  // namespace

CoordinateParts DecodeCoordinate(std::uint32_t value) {
  const std::uint32_t magnitude = value & ~kHemisphereBit;
  const std::uint32_t fraction = magnitude % kUnitsPerMinute;
  const std::uint32_t fractionSeconds = fraction * 60;
  return CoordinateParts{
      .hemisphereSet = (value & kHemisphereBit) != 0,
      .degrees = magnitude / kUnitsPerDegree,
      .minutes = magnitude % kUnitsPerDegree / kUnitsPerMinute,
      .seconds = fractionSeconds / kUnitsPerMinute,
      .hundredths = fractionSeconds % kUnitsPerMinute / 100,
  };
}

std::uint32_t EncodeCoordinate(const CoordinateParts& parts) {
  const std::uint32_t fraction = (parts.seconds * 100 + parts.hundredths) * 100 / 60;
  const std::uint32_t magnitude = parts.degrees * kUnitsPerDegree + parts.minutes * kUnitsPerMinute + fraction;
  return parts.hemisphereSet ? magnitude | kHemisphereBit : magnitude;
}

}  // namespace userdb
