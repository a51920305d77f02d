#pragma once
// What goes wrong with point files and what the formats changed on the way, told on stderr.

#include <ostream>

#include "files/point_files.h"

namespace userdb::cli {

void PrintComplaints(std::ostream& errors, const files::Complaints& complaints);

// "userdb: 12 changes on the way (--explain lists them)", or every change with explain.
void TellChanges(std::ostream& errors, const files::Changes& changes, bool explain);

}  // namespace userdb::cli
