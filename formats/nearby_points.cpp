#include "formats/nearby_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace userdb::formats {
namespace {

// A cell narrower than this would only multiply cells: points closer are found all the same.
constexpr double kSmallestCellMetres = 1.0;

struct UnitVector {
  double x, y, z;
};

UnitVector UnitVectorOf(EarthPosition position) {
  const double latitude = position.latitude * std::numbers::pi / 180.0;
  const double longitude = position.longitude * std::numbers::pi / 180.0;
  return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
}

}  // namespace

NearbyPoints::NearbyPoints(double radiusMetres)
    : radiusMetres_(radiusMetres),
      // A chord is shorter than its arc, so a cell as wide as the arc holds every neighbour
      // within the radius in the 27 cells around a point's own.
      cellSize_(std::max(radiusMetres, kSmallestCellMetres) / kEarthRadiusMetres) {}

std::size_t NearbyPoints::CellHash::operator()(const Cell& cell) const {
  const auto mix = [](std::uint64_t h, std::int64_t v) {
    return (h ^ static_cast<std::uint64_t>(v)) * 0x100000001B3ull;
  };
  return static_cast<std::size_t>(mix(mix(mix(0xCBF29CE484222325ull, cell.x), cell.y), cell.z));
}

NearbyPoints::Cell NearbyPoints::CellOf(EarthPosition position) const {
  const UnitVector v = UnitVectorOf(position);
  const auto index = [this](double coordinate) {
    return static_cast<std::int64_t>(std::floor(coordinate / cellSize_));
  };
  return {index(v.x), index(v.y), index(v.z)};
}

void NearbyPoints::Add(EarthPosition position, std::size_t id) { cells_[CellOf(position)].push_back({position, id}); }

std::vector<NearbyPoints::Near> NearbyPoints::Within(EarthPosition position) const {
  std::vector<Near> found;
  const Cell centre = CellOf(position);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      for (std::int64_t dz = -1; dz <= 1; ++dz) {
        const auto cell = cells_.find({centre.x + dx, centre.y + dy, centre.z + dz});
        if (cell == cells_.end()) continue;
        for (const Filed& filed : cell->second) {
          const double metres = DistanceMetres(position, filed.position);
          if (metres <= radiusMetres_) found.push_back({filed.id, metres});
        }
      }
    }
  }
  std::sort(found.begin(), found.end(),
            [](const Near& a, const Near& b) { return a.metres != b.metres ? a.metres < b.metres : a.id < b.id; });
  return found;
}

}  // namespace userdb::formats
