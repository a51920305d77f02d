#pragma once
// The texts the page view wrote into each row and the stored values it wrote them from.

#include <array>
#include <cstdint>
#include <string>

#include "base/page_layout.h"

namespace userdb {

struct ShownRow {
  bool filled = false;                              // the row showed a record (not an empty row)
  std::array<std::string, kShortFieldCount> texts;  // fields in reading order, the note excluded
  std::string note;
  std::uint32_t longitude = 0;
  std::uint32_t latitude = 0;
  std::uint16_t speed = 0;
  std::uint16_t direction = 0;
  std::uint8_t type = 0;
};

struct ShownPage {
  bool valid = false;  // false until a page is shown
  std::uint16_t page = 0;
  std::array<ShownRow, kRowsPerPage> rows;
};

}  // namespace userdb
