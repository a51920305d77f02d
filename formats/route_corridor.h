#pragma once
// A strip of the earth's surface on either side of a route: the list points a driver passes on
// the way, and how far each lies from the road, measured to the nearest of the route's segments
// along great circles.

#include <cstddef>
#include <optional>
#include <vector>

#include "formats/earth_position.h"
#include "formats/nearby_points.h"

namespace userdb::formats {

// One or more lines, each the points of a route or a track segment in order; a line of a single
// point is that point.
struct Route {
  std::vector<std::vector<EarthPosition>> lines;

  std::size_t PointCount() const;
};

// Along the surface from position to the nearest point of the great-circle arc from a to b.
double DistanceToSegmentMetres(EarthPosition position, EarthPosition a, EarthPosition b);

class RouteCorridor {
 public:
  // widthKm: on each side of the route. A route without points holds nothing.
  RouteCorridor(const Route& route, double widthKm);

  // The distance to the route when within the corridor.
  std::optional<double> DistanceWithin(EarthPosition position) const;

  double WidthKm() const { return widthMetres_ / 1000; }

 private:
  struct Segment {
    EarthPosition a;
    EarthPosition b;
  };

  void FileSamples(double spacingMetres);

  double widthMetres_;
  std::vector<Segment> segments_;
  // Points along every segment no further apart than the spacing, each filed under its segment:
  // a point within the corridor of a segment lies within width + spacing / 2 of one of them.
  std::vector<std::size_t> sampleSegment_;
  NearbyPoints samples_;
};

}  // namespace userdb::formats
