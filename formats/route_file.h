#pragma once
// The route a driver means to take, from the files that carry one: a GPX file's routes and
// track segments, or a KML file's LineStrings.

#include <optional>
#include <string_view>

#include "formats/file_problem.h"
#include "formats/route_corridor.h"

namespace userdb::formats {

struct RouteReadResult {
  Route route;
  std::optional<FileProblem> problem;  // the first thing wrong; then the route is not to be used

  bool Ok() const { return !problem.has_value(); }
};

// Every rte, every trkseg (GPX) and every LineString (KML), each a line of its own.
RouteReadResult ReadRoute(std::string_view text);

}  // namespace userdb::formats
