#pragma once
// TomTom's OV2 points of interest: binary, little-endian, one record after another.
//   type 2, a point:  u8 2, i32 length (13 + name + 1), i32 longitude and i32 latitude in
//                     1/100000 degree, the name and a zero byte
//   type 1, skipper:  u8 1, i32 length of the block it covers, four i32 corners (east, north,
//                     west, south); it only lets a reader skip a block, so it is read past
//   type 0, deleted:  u8 0, i32 length; skipped
//   type 3, extended: as type 2 but with more zero-ended strings; the first is the name
// OV2 carries no speed, direction or type. Names are read as UTF-8 when they are UTF-8, else as
// ISO 8859-1, and written as ISO 8859-1 unless those bytes would read as UTF-8.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/point_list.h"

namespace userdb::formats {

// Every length is checked against what is left of the file before anything is read.
ListRead ReadOv2(std::string_view bytes, const ListOptions& options);

// Skipper records over the points of a file of more than kOv2SkipperThreshold of them; what OV2
// cannot carry goes to changes.
inline constexpr std::size_t kOv2SkipperThreshold = 20;
std::string WriteOv2(std::span<const ListPoint> points, std::vector<Change>& changes);

}  // namespace userdb::formats
