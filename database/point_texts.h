#pragma once
// The texts a stored point shows in the thirteen short fields of a row, in reading order.

#include <array>
#include <cstdint>
#include <string>

#include "database/user_database.h"
#include "window/page_layout.h"

namespace userdb {

using PointTexts = std::array<std::string, kShortFieldCount>;

PointTexts TextsOfPoint(const UserPoint& point, std::uint8_t speedUnit);

}  // namespace userdb
