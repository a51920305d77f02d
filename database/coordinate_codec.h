#pragma once
// A CoordinateValue: bit 31 the hemisphere (W or S when set), bits 0 to 30 an angle in
// ten-thousandths of a minute of arc.

#include <cstdint>

namespace userdb {

struct CoordinateParts {
  bool hemisphereSet = false;  // W for a longitude, S for a latitude
  std::uint32_t degrees = 0;
  std::uint32_t minutes = 0;
  std::uint32_t seconds = 0;
  std::uint32_t hundredths = 0;  // of a second

  bool operator==(const CoordinateParts&) const = default;
};

// Both directions truncate, so a value may come back one hundredth lower than it was typed.
CoordinateParts DecodeCoordinate(std::uint32_t value);
std::uint32_t EncodeCoordinate(const CoordinateParts& parts);

}  // namespace userdb
