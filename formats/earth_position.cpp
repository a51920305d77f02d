#include "formats/earth_position.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "database/field_bounds.h"
#include "formats/decimal_degrees.h"

namespace userdb::formats {
namespace {

double Degrees(std::uint32_t coordinate) {
  const double magnitude = static_cast<double>(CoordinateMagnitude(coordinate)) / kCoordinateUnitsPerDegree;
  return (coordinate & kHemisphereBit) != 0 ? -magnitude : magnitude;
}

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// The numbers of a comma-separated text, each as CoordinateOfDegrees takes it.
std::optional<std::vector<double>> DegreesOfList(std::string_view text, std::size_t count) {
  std::vector<double> values;
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::optional<std::uint32_t> coordinate = CoordinateOfDegrees(text.substr(0, comma));
    if (!coordinate || values.size() == count) return std::nullopt;
    values.push_back(Degrees(*coordinate));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

bool OnTheGlobe(double latitude, double longitude) {
  return std::abs(latitude) <= kLatitudeDegreesBound && std::abs(longitude) <= kLongitudeDegreesBound;
}

}  // namespace

EarthPosition PositionOf(const UserPoint& point) { return {Degrees(point.latitude), Degrees(point.longitude)}; }

double DistanceMetres(EarthPosition from, EarthPosition to) {
  // Haversine: exact on the sphere and well-conditioned for the few metres that decide duplicates.
  const double dLatitude = Radians(to.latitude - from.latitude);
  const double dLongitude = Radians(to.longitude - from.longitude);
  const double a = std::pow(std::sin(dLatitude / 2), 2) + std::cos(Radians(from.latitude)) *
                                                              std::cos(Radians(to.latitude)) *
                                                              std::pow(std::sin(dLongitude / 2), 2);
  return 2 * kEarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(a)));
}

std::optional<EarthPosition> PositionOfText(std::string_view text) {
  const std::optional<std::vector<double>> values = DegreesOfList(text, 2);
  if (!values || !OnTheGlobe((*values)[0], (*values)[1])) return std::nullopt;
  return EarthPosition{(*values)[0], (*values)[1]};
}

bool EarthBox::Holds(EarthPosition position) const {
  if (position.latitude < south || position.latitude > north) return false;
  if (west <= east) return position.longitude >= west && position.longitude <= east;
  return position.longitude >= west || position.longitude <= east;
}

std::optional<EarthBox> BoxOfText(std::string_view text) {
  const std::optional<std::vector<double>> values = DegreesOfList(text, 4);
  if (!values) return std::nullopt;
  const EarthBox box{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
  if (!OnTheGlobe(box.south, box.west) || !OnTheGlobe(box.north, box.east) || box.south > box.north) {
    return std::nullopt;
  }
  return box;
}

}  // namespace userdb::formats
