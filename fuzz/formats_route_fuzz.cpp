// The route reader on any text. A route it accepts holds only points on the globe, and every
// list point is either within the corridor of it or not, without a crash or a hang.

#include <cstdint>
#include <string_view>

#include "formats/route_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  const formats::RouteReadResult read = formats::ReadRoute({reinterpret_cast<const char*>(data), size});
  if (!read.Ok()) return 0;
  fuzz::Require(read.route.PointCount() > 0, "an accepted route has a point");
  for (const auto& line : read.route.lines) {
    for (const formats::EarthPosition& position : line) {
      fuzz::Require(position.latitude >= -90 && position.latitude <= 90, "latitudes are on the globe");
      fuzz::Require(position.longitude >= -180 && position.longitude <= 180, "longitudes are on the globe");
    }
  }
  const formats::RouteCorridor corridor(read.route, 2);
  const formats::EarthPosition first = read.route.lines.front().front();
  fuzz::Require(corridor.DistanceWithin(first).has_value(), "a route's own point lies within its corridor");
  return 0;
}
