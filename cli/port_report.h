#pragma once
// `userdb ports`: each port that leads to a device, with what the system tells of it, as lines
// for a person or as JSON for a script.

#include <string>
#include <vector>

#include "cli/line_choice.h"

namespace userdb::cli {

// "COM33\t/dev/ttyUSB0", then an indented line for each thing known of it.
std::string PortsText(const std::vector<ListedLine>& lines);

// An array of objects, one a port; absent facts are left out.
std::string PortsJson(const std::vector<ListedLine>& lines);

}  // namespace userdb::cli
