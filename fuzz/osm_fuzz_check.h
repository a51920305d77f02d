#pragma once
// What every reading of an OpenStreetMap extract keeps to, whatever the bytes: points a map can
// place, notes a device holds, and each node a point at most once.

#include <set>
#include <string>

#include "database/field_bounds.h"
#include "formats/decimal_degrees.h"
#include "formats/point_list.h"
#include "fuzz/fuzz_check.h"

namespace userdb::fuzz {

inline void CheckOsmCameras(const formats::ListRead& read) {
  if (!read.Ok()) {
    Require(read.points.empty(), "a refused extract gives no point");
    return;
  }
  std::set<std::string> nodes;
  for (const formats::ListPoint& point : read.points) {
    Require(formats::OnAMap(point.point), "every camera is on the globe");
    Require(point.note.size() <= kMaxNoteLength, "every note fits");
    Require(point.point.direction == kNoDirection || point.point.direction < kDirectionBound, "directions are degrees");
    const std::size_t node = point.where.rfind("node ");
    Require(node != std::string::npos, "every camera names its node");
    Require(nodes.insert(point.where.substr(node)).second, "each node is one point");
  }
}

}  // namespace userdb::fuzz
