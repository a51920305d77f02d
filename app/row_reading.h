#pragma once
// Reads a row of the page as the user left it in the window.

#include <cstdint>

#include "database/row_entry.h"
#include "window/window.h"

namespace userdb {

// Reads and judges the fourteen fields of a row; speeds are taken in the given SpeedUnit.
RowEntry ReadRow(const Window& window, int row, std::uint8_t speedUnit);

}  // namespace userdb
