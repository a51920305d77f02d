#pragma once
// The command line's side of point files: what goes wrong with them and what the formats
// changed on the way, told on stderr.

#include <ostream>

#include "files/point_files.h"

namespace userdb::cli {

using files::Changes;
using files::ChooseFormat;
using files::Complaints;
using files::FileUse;
using files::LoadPointList;
using files::LoadPointsFile;
using files::LoadRequest;
using files::ReadWholeFile;
using files::SavePointList;
using files::SavePointsFile;

void PrintComplaints(std::ostream& errors, const Complaints& complaints);

// "userdb: 12 changes on the way (--explain lists them)", or every change with explain.
void TellChanges(std::ostream& errors, const Changes& changes, bool explain);

}  // namespace userdb::cli
