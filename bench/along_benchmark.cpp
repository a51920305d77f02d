// A list of a million cameras merged along a long route: the corridor built from the route, the
// list's points kept within it, and when more than fit, those nearest the route. Prints the
// median of each step over several runs.
//   along_benchmark [LIST_POINTS] [ROUTE_POINTS] [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "formats/point_merge.h"

namespace {

using namespace userdb;
using Clock = std::chrono::steady_clock;

std::uint32_t Units(double degrees) { return static_cast<std::uint32_t>(degrees * 600000); }

// Spread over a country of 9 by 8 degrees, as a national list is.
std::vector<formats::ListPoint> CameraList(std::size_t count, std::mt19937& random) {
  std::uniform_real_distribution<double> longitude(6.0, 15.0);
  std::uniform_real_distribution<double> latitude(47.0, 55.0);
  std::vector<formats::ListPoint> list(count);
  for (formats::ListPoint& point : list) {
    point.point = UserPoint{Units(longitude(random)), Units(latitude(random)), 27, kNoDirection, 1};
  }
  return list;
}

// A trip that wanders from the south-west of the country to its north-east, a few km a step.
formats::Route Trip(std::size_t points, std::mt19937& random) {
  std::uniform_real_distribution<double> wander(-0.01, 0.01);
  std::vector<formats::EarthPosition> line;
  for (std::size_t k = 0; k < points; ++k) {
    const double along = static_cast<double>(k) / static_cast<double>(points);
    line.push_back({47.5 + 7.0 * along + wander(random), 6.5 + 8.0 * along + wander(random)});
  }
  return formats::Route{{line}};
}

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t listPoints = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
  const std::size_t routePoints = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 2000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
  std::mt19937 random(2026);
  const std::vector<formats::ListPoint> list = CameraList(listPoints, random);
  const formats::Route route = Trip(routePoints, random);
  const UserDatabase base;
  std::vector<double> corridor, merge, total;
  formats::MergeSummary summary;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    formats::MergeOptions options;
    options.along = std::make_shared<const formats::RouteCorridor>(route, 2.0);
    options.fit = formats::CapacityFit::Along;
    const Clock::time_point built = Clock::now();
    const formats::MergeResult merged = formats::MergePoints(base, list, options);
    const Clock::time_point done = Clock::now();
    if (!merged.Ok()) std::abort();
    corridor.push_back(Milliseconds(built - start));
    merge.push_back(Milliseconds(done - built));
    total.push_back(Milliseconds(done - start));
    summary = merged.summary;
  }
  std::printf(
      "%zu list points along a %zu-point route, --corridor 2 --fit along: corridor %.0f ms, merge %.0f ms, "
      "total %.0f ms (%s)\n",
      listPoints, routePoints, Median(corridor), Median(merge), Median(total),
      formats::DescribeSummary(summary).c_str());
  return 0;
}
