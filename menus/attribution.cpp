#include "menus/attribution.h"

#include <optional>

#include "formats/file_format.h"

namespace userdb::menus {

std::string AttributionOf(const std::filesystem::path& file) {
  const std::optional<formats::FileFormat> format = formats::FormatOfFileName(file.filename().string());
  if (format != formats::FileFormat::Osm && format != formats::FileFormat::OsmPbf) return {};
  return "Points from OpenStreetMap are © OpenStreetMap contributors, under the ODbL "
         "(openstreetmap.org/copyright). Extracts: download.geofabrik.de";
}

}  // namespace userdb::menus
