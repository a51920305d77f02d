#pragma once
// Points filed by where they lie, so that finding those within a few metres of a place looks at
// a handful of neighbours rather than at every point of a national list. The cells are cubes in
// space around the earth's centre, so there is no seam at the 180th meridian and none at the poles.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "formats/earth_position.h"

namespace userdb::formats {

class NearbyPoints {
 public:
  explicit NearbyPoints(double radiusMetres);

  void Add(EarthPosition position, std::size_t id);

  struct Near {
    std::size_t id;
    double metres;
  };
  // Every point added within the radius of position (the radius included), nearest first.
  std::vector<Near> Within(EarthPosition position) const;

 private:
  struct Cell {
    std::int64_t x, y, z;
    bool operator==(const Cell&) const = default;
  };
  struct CellHash {
    std::size_t operator()(const Cell& cell) const;
  };
  struct Filed {
    EarthPosition position;
    std::size_t id;
  };

  Cell CellOf(EarthPosition position) const;

  double radiusMetres_;
  double cellSize_;  // on the unit sphere
  std::unordered_map<Cell, std::vector<Filed>, CellHash> cells_;
};

}  // namespace userdb::formats
