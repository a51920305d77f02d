#pragma once
// Where a point lies on the earth, and how far apart two points are, for deciding which points
// of a list are the same camera and which lie near a place.

#include <optional>
#include <string_view>

#include "database/user_database.h"

namespace userdb::formats {

// The mean radius: a sphere of it is within 0.5 % of the ellipsoid.
inline constexpr double kEarthRadiusMetres = 6371008.8;

struct EarthPosition {
  double latitude = 0;   // degrees, negative south
  double longitude = 0;  // degrees, negative west
};

EarthPosition PositionOf(const UserPoint& point);

// Along the earth's surface.
double DistanceMetres(EarthPosition from, EarthPosition to);

// "52.52,13.40": latitude first, as maps give a place; none unless both are on the globe.
std::optional<EarthPosition> PositionOfText(std::string_view text);

// West, south, east and north edges in degrees; a box whose west edge lies east of its east edge
// spans the 180th meridian.
struct EarthBox {
  double west = 0;
  double south = 0;
  double east = 0;
  double north = 0;

  bool Holds(EarthPosition position) const;
};

// "W,S,E,N"; none unless each edge is on the globe and south is not north of north.
std::optional<EarthBox> BoxOfText(std::string_view text);

}  // namespace userdb::formats
