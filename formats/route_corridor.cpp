#include "formats/route_corridor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace userdb::formats {
namespace {

using Vector = std::array<double, 3>;

// However long the route, it is sampled at no more points than this; the spacing grows instead.
constexpr double kMostSamples = 400000;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

Vector UnitVector(EarthPosition position) {
  const double latitude = Radians(position.latitude);
  const double longitude = Radians(position.longitude);
  return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
}

EarthPosition PositionOfVector(const Vector& v) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return {std::asin(std::clamp(v[2] / length, -1.0, 1.0)) * 180.0 / std::numbers::pi,
          std::atan2(v[1], v[0]) * 180.0 / std::numbers::pi};
}

Vector Cross(const Vector& a, const Vector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Vector& a, const Vector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The point a fraction of the way from a to b along their great circle.
EarthPosition Between(const Vector& a, const Vector& b, double fraction) {
  const double angle = std::acos(std::clamp(Dot(a, b), -1.0, 1.0));
  if (angle < 1e-12) return PositionOfVector(a);
  const double wa = std::sin((1 - fraction) * angle) / std::sin(angle);
  const double wb = std::sin(fraction * angle) / std::sin(angle);
  return PositionOfVector({wa * a[0] + wb * b[0], wa * a[1] + wb * b[1], wa * a[2] + wb * b[2]});
}

double SpacingFor(const std::vector<double>& lengths, double widthMetres) {
  double total = 0;
  for (const double length : lengths) total += length;
  return std::max({widthMetres, total / kMostSamples, 1.0});
}

}  // namespace

std::size_t Route::PointCount() const {
  std::size_t count = 0;
  for (const auto& line : lines) count += line.size();
  return count;
}

double DistanceToSegmentMetres(EarthPosition position, EarthPosition a, EarthPosition b) {
  const Vector p = UnitVector(position);
  const Vector va = UnitVector(a);
  const Vector vb = UnitVector(b);
  const double toEnds = std::min(DistanceMetres(position, a), DistanceMetres(position, b));
  Vector normal = Cross(va, vb);
  const double length = std::sqrt(Dot(normal, normal));
  if (length < 1e-12) return toEnds;  // a and b are one point, or opposite: no single arc
  for (double& c : normal) c /= length;
  // The foot of the perpendicular lies on the arc when it is on a's far side from b's and back.
  const double offPlane = Dot(p, normal);
  const Vector foot{p[0] - offPlane * normal[0], p[1] - offPlane * normal[1], p[2] - offPlane * normal[2]};
  if (Dot(Cross(va, foot), normal) < 0 || Dot(Cross(foot, vb), normal) < 0) return toEnds;
  return std::asin(std::min(1.0, std::abs(offPlane))) * kEarthRadiusMetres;
}

RouteCorridor::RouteCorridor(const Route& route, double widthKm) : widthMetres_(widthKm * 1000), samples_(1) {
  std::vector<double> lengths;
  for (const auto& line : route.lines) {
    if (line.size() == 1) segments_.push_back({line[0], line[0]});
    for (std::size_t k = 0; k + 1 < line.size(); ++k) segments_.push_back({line[k], line[k + 1]});
  }
  for (const Segment& segment : segments_) lengths.push_back(DistanceMetres(segment.a, segment.b));
  FileSamples(SpacingFor(lengths, widthMetres_));
}

void RouteCorridor::FileSamples(double spacingMetres) {
  samples_ = NearbyPoints(widthMetres_ + spacingMetres / 2);
  for (std::size_t s = 0; s < segments_.size(); ++s) {
    const Segment& segment = segments_[s];
    const Vector a = UnitVector(segment.a);
    const Vector b = UnitVector(segment.b);
    const auto steps = static_cast<std::size_t>(std::ceil(DistanceMetres(segment.a, segment.b) / spacingMetres));
    for (std::size_t step = 0; step <= steps; ++step) {
      const double fraction = steps == 0 ? 0 : static_cast<double>(step) / static_cast<double>(steps);
      samples_.Add(Between(a, b, fraction), sampleSegment_.size());
      sampleSegment_.push_back(s);
    }
  }
}

std::optional<double> RouteCorridor::DistanceWithin(EarthPosition position) const {
  std::optional<double> nearest;
  std::size_t lastSegment = segments_.size();
  for (const NearbyPoints::Near& near : samples_.Within(position)) {
    const std::size_t s = sampleSegment_[near.id];
    if (s == lastSegment) continue;  // the samples of one segment often come together
    lastSegment = s;
    const double metres = DistanceToSegmentMetres(position, segments_[s].a, segments_[s].b);
    if (metres <= widthMetres_ && (!nearest || metres < *nearest)) nearest = metres;
  }
  return nearest;
}

}  // namespace userdb::formats
