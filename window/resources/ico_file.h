#pragma once
// The .ico file of an IndexedIcon: one 4-bit bitmap with its AND mask per image.

#include <cstdint>
#include <vector>

#include "window/resources/indexed_icon.h"

namespace userdb {

std::vector<std::uint8_t> IcoFileBytes(const IndexedIcon& icon);

}  // namespace userdb
