#pragma once
// Public speed-camera lists: "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION", optionally led by IDX, with X
// the longitude and Y the latitude in decimal degrees, SPEED in km/h and DIRECTION 0 to 359.
// Each row becomes points in list order, from record 0 on:
//   X, Y       rounded to the nearest 1/10000 minute
//   TYPE       0 or 1, the device's own types, unless one type is given for all points
//   SPEED      0 or empty for no speed, else stored as the window stores a typed km/h value
//   DIRTYPE    1 (one direction): one point with DIRECTION; 2 (both directions): two points,
//              DIRECTION and its opposite; 0 (all directions): one point without a direction
//   IDX        not used
// A row that cannot become points, and every row past the 256th point, is reported by its line.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/file_problem.h"
#include "formats/point_list.h"

namespace userdb::formats {

using CameraImport = ListOptions;

// Every point of the list, however many.
ListRead ReadSpeedCameraList(std::string_view text, const ListOptions& options = {});
// The list as a database: refused past 256 points.
ReadResult ReadSpeedCameraCsv(std::string_view text, const CameraImport& options = {});

// iGO's speedcam.txt: the header, then a row for each point, SPEED in km/h, DIRTYPE 0 for a
// point without a direction and 1 for one with; what the list cannot carry goes to changes.
std::string WriteSpeedCameraCsv(std::span<const ListPoint> points, std::vector<Change>& changes);

// Whether a CSV file is such a list rather than our own CSV: its header starts with X or IDX.
bool IsSpeedCameraList(std::string_view text);

}  // namespace userdb::formats
