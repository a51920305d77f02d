#include "database/speed_codec.h"

#include "database/user_database.h"

namespace userdb {

namespace {
bool IsMile(std::uint8_t speedUnit) { return speedUnit == kSpeedUnitMile; }
}  // namespace

std::uint32_t ShownSpeed(std::uint16_t stored, std::uint8_t speedUnit) {
  const std::uint32_t factor = IsMile(speedUnit) ? 1152 : 1853;
  return stored * factor / 1000;
}

std::uint16_t StoredSpeed(std::uint32_t typed, std::uint8_t speedUnit) {
  const std::uint32_t factor = IsMile(speedUnit) ? 868 : 539;
  return static_cast<std::uint16_t>(typed * factor / 1000);
}

}  // namespace userdb
