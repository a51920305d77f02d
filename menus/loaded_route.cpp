#include "menus/loaded_route.h"

#include "files/route_files.h"

namespace userdb::menus {

files::FileResult<LoadedRoute::Corridor> LoadedRoute::CorridorOf(const std::filesystem::path& file, double widthKm) {
  if (!route_ || file != file_) {
    files::FileResult<formats::Route> read = files::LoadRoute(file);
    if (!read) return {read.outcome, {}, std::move(read.complaints)};
    file_ = file;
    route_ = std::move(read.value);
    corridor_.reset();
  }
  if (!corridor_ || widthKm != widthKm_) {
    corridor_ = std::make_shared<const formats::RouteCorridor>(*route_, widthKm);
    widthKm_ = widthKm;
  }
  return {files::FileOutcome::Done, corridor_, {}};
}

}  // namespace userdb::menus
