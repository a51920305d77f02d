#pragma once
// A long list of lines cut for showing: the first ones, and how many more there are.

#include <cstddef>
#include <string>
#include <vector>

namespace userdb::menus {

// At most limit lines, then "and N more" when any were left out.
std::vector<std::string> Shortened(std::vector<std::string> lines, std::size_t limit);

}  // namespace userdb::menus
