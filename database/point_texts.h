#pragma once
// The texts a stored point shows in the thirteen short fields of a row, in reading order.

#include <array>
#include <cstdint>
#include <string>

#include "base/page_layout.h"
#include "database/user_database.h"

namespace userdb {

using PointTexts = std::array<std::string, kShortFieldCount>;

PointTexts TextsOfPoint(const UserPoint& point, std::uint8_t speedUnit);

}  // namespace userdb
