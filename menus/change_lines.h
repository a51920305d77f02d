#pragma once
// What reading a list changed, told once for each kind of change: a list of thousands of points
// loses the same thing on every line, and a line for each would bury everything else.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_problem.h"

namespace userdb::menus {

// A change made once keeps its own line ("f.txt:12: all directions: ..."); the same change made
// to more points is one line with their count ("5000 points: all directions: ..."). In the order
// the changes were first made.
std::vector<std::string> ChangeLines(std::string_view fileName, std::span<const formats::Change> changes);

}  // namespace userdb::menus
