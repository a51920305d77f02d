#pragma once
// The rules a file's points pass before they go to a device: the window's page check, applied
// to each point as the page view would show it (bounds, hemisphere letters, note length), and
// filled records first. Speeds are judged in km/h, the unit every file gives them in.

#include <vector>

#include "formats/file_problem.h"
#include "formats/points_file.h"

namespace userdb::formats {

std::vector<FileProblem> CheckForDevice(const PointsFile& file);

}  // namespace userdb::formats
