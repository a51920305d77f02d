#pragma once
// The route file an import names, read once while its name stays the same: the preview is worked
// out again at every keystroke, and a long route is slow to read and its corridor slow to sample.

#include <filesystem>
#include <memory>
#include <optional>

#include "files/file_result.h"
#include "formats/route_corridor.h"

namespace userdb::menus {

class LoadedRoute {
 public:
  using Corridor = std::shared_ptr<const formats::RouteCorridor>;

  // widthKm on either side of the route in the file, or what is wrong with the file. A file that
  // could not be read is tried again next time.
  files::FileResult<Corridor> CorridorOf(const std::filesystem::path& file, double widthKm);

 private:
  std::filesystem::path file_;
  std::optional<formats::Route> route_;  // the file's, once read
  double widthKm_ = 0;
  Corridor corridor_;  // widthKm_ along route_
};

}  // namespace userdb::menus
