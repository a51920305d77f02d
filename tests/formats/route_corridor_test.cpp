#include "formats/route_corridor.h"

#include <gtest/gtest.h>

#include <random>

namespace userdb::formats {
namespace {

// Every segment looked at: what the corridor must agree with.
std::optional<double> BruteForce(const Route& route, double widthKm, EarthPosition position) {
  std::optional<double> nearest;
  for (const auto& line : route.lines) {
    for (std::size_t k = 0; k < line.size(); ++k) {
      const EarthPosition b = k + 1 < line.size() ? line[k + 1] : line[k];
      if (line.size() > 1 && k + 1 == line.size()) break;
      const double metres = DistanceToSegmentMetres(position, line[k], b);
      if (!nearest || metres < *nearest) nearest = metres;
    }
  }
  if (!nearest || *nearest > widthKm * 1000) return std::nullopt;
  return nearest;
}

TEST(RouteCorridor, DistanceToASegmentIsToItsNearestPointNotToItsGreatCircle) {
  const EarthPosition a{0, 0};
  const EarthPosition b{0, 1};  // along the equator
  const double degree = kEarthRadiusMetres * std::numbers::pi / 180;
  EXPECT_NEAR(DistanceToSegmentMetres({0.01, 0.5}, a, b), 0.01 * degree, 0.01);
  EXPECT_NEAR(DistanceToSegmentMetres({-0.01, 0.5}, a, b), 0.01 * degree, 0.01);
  // Beyond an end, the end is nearest, not the circle the arc lies on.
  EXPECT_NEAR(DistanceToSegmentMetres({0, 2}, a, b), degree, 0.01);
  EXPECT_NEAR(DistanceToSegmentMetres({0, -1}, a, b), degree, 0.01);
  EXPECT_NEAR(DistanceToSegmentMetres({0, 181 - 1}, a, b), DistanceMetres({0, 180}, b), 0.01);
  // A segment of one point is that point; across the 180th meridian as anywhere.
  EXPECT_NEAR(DistanceToSegmentMetres({1, 179.5}, {1, 179.5}, {1, 179.5}), 0, 1e-6);
  EXPECT_NEAR(DistanceToSegmentMetres({0.01, 180}, {0, 179.5}, {0, -179.5}), 0.01 * degree, 0.01);
}

TEST(RouteCorridor, AgreesWithEverySegmentLookedAtForRandomRoutesAndPoints) {
  std::mt19937 random(20261209);
  int inside = 0;
  int outside = 0;
  for (int trial = 0; trial < 20; ++trial) {
    std::uniform_real_distribution<double> latitude(-70, 70);
    std::uniform_real_distribution<double> longitude(-180, 180);
    std::uniform_real_distribution<double> step(-0.3, 0.3);
    Route route;
    const int lines = 1 + trial % 3;
    for (int l = 0; l < lines; ++l) {
      EarthPosition at{latitude(random), longitude(random)};
      std::vector<EarthPosition> line{at};
      const int points = trial % 5 == 0 ? 1 : 2 + static_cast<int>(random() % 60);
      for (int k = 1; k < points; ++k) {
        at = {std::clamp(at.latitude + step(random), -89.0, 89.0), at.longitude + step(random)};
        if (at.longitude > 180) at.longitude -= 360;
        if (at.longitude < -180) at.longitude += 360;
        line.push_back(at);
      }
      route.lines.push_back(line);
    }
    const double widthKm = trial % 2 == 0 ? 2 : 25;
    const RouteCorridor corridor(route, widthKm);
    for (int probe = 0; probe < 300; ++probe) {
      const auto& line = route.lines[random() % route.lines.size()];
      const EarthPosition near = line[random() % line.size()];
      std::uniform_real_distribution<double> offset(-0.5, 0.5);
      const EarthPosition position{std::clamp(near.latitude + offset(random), -89.9, 89.9),
                                   near.longitude + offset(random)};
      const std::optional<double> expected = BruteForce(route, widthKm, position);
      const std::optional<double> found = corridor.DistanceWithin(position);
      ASSERT_EQ(found.has_value(), expected.has_value())
          << "trial " << trial << " at " << position.latitude << "," << position.longitude;
      if (expected) {
        EXPECT_NEAR(*found, *expected, 1e-6);
        ++inside;
      } else {
        ++outside;
      }
    }
  }
  // Both answers were put to the test.
  EXPECT_GT(inside, 500);
  EXPECT_GT(outside, 500);
}

TEST(RouteCorridor, ARouteWithoutPointsHoldsNothing) {
  EXPECT_FALSE(RouteCorridor(Route{}, 5).DistanceWithin({52.5, 13.4}));
  EXPECT_FALSE(RouteCorridor(Route{{{}}}, 5).DistanceWithin({52.5, 13.4}));
}

}  // namespace
}  // namespace userdb::formats
