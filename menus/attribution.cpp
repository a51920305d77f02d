#include "menus/attribution.h"

#include <optional>

#include "base/path_text.h"
#include "formats/file_format.h"

namespace userdb::menus {

std::string AttributionOf(const std::filesystem::path& file) {
  const std::optional<formats::FileFormat> format = formats::FormatOfFileName(PathText(file.filename()));
  if (format != formats::FileFormat::Osm && format != formats::FileFormat::OsmPbf) return {};
  return "Points from OpenStreetMap are © OpenStreetMap contributors, under the ODbL "
         "(openstreetmap.org/copyright). Extracts: download.geofabrik.de";
}

}  // namespace userdb::menus
