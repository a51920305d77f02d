#pragma once
// Which page of the database the window shows, and how far the page buttons may go: the
// window's bookkeeping, not the device's data.

#include <cstdint>

namespace userdb {

struct PageState {
  std::uint16_t current = 0;
  // The last page that "Read next page" may reach: the page after the last filled row's.
  std::uint16_t lastReachable = 0;
};

}  // namespace userdb
