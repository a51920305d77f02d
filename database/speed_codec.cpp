#include "database/speed_codec.h"

#include "database/user_database.h"

namespace userdb {

namespace {
bool IsMile(std::uint8_t speedUnit) { return speedUnit == kSpeedUnitMile; }
std::uint32_t TypedFactor(std::uint8_t speedUnit) { return IsMile(speedUnit) ? 868 : 539; }
}  // namespace

std::uint32_t ShownSpeed(std::uint16_t stored, std::uint8_t speedUnit) {
  const std::uint32_t factor = IsMile(speedUnit) ? 1152 : 1853;
  return stored * factor / 1000;
}

std::uint16_t StoredSpeed(std::uint32_t typed, std::uint8_t speedUnit) {
  return static_cast<std::uint16_t>(typed * TypedFactor(speedUnit) / 1000);
}

std::uint32_t TypedSpeedFor(std::uint16_t stored, std::uint8_t speedUnit) {
  const std::uint32_t factor = TypedFactor(speedUnit);
  const std::uint32_t typed = (stored * 1000U + factor - 1) / factor;
  return StoredSpeed(typed, speedUnit) == stored ? typed : ShownSpeed(stored, speedUnit);
}

}  // namespace userdb
