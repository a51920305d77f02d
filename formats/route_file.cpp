#include "formats/route_file.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "formats/xml_text.h"

namespace userdb::formats {
namespace {

std::string_view LocalName(const pugi::xml_node node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::optional<double> Number(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool OnTheGlobe(double latitude, double longitude) {
  return latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180;
}

class RouteReader {
 public:
  explicit RouteReader(std::string_view text) : text_(text) {}

  RouteReadResult Read() {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) return Refused(LineAt(parsed.offset), parsed.description());
    const pugi::xml_node root = document.document_element();
    if (LocalName(root) == "gpx") {
      ReadGpx(root);
    } else if (LocalName(root) == "kml") {
      ReadKml(root);
    } else {
      return Refused(1, "neither a GPX nor a KML file");
    }
    if (!result_.problem && result_.route.PointCount() == 0) Problem(0, "no route, track or LineString in it");
    return std::move(result_);
  }

 private:
  RouteReadResult Refused(int line, std::string message) {
    Problem(line, std::move(message));
    return std::move(result_);
  }

  void Problem(int line, std::string message) {
    if (!result_.problem) result_.problem = ProblemAt(line, "", std::move(message));
  }

  int LineAt(std::ptrdiff_t offset) const { return LineAtOffset(text_, offset); }

  void ReadGpx(pugi::xml_node gpx) {
    for (const pugi::xml_node child : gpx.children()) {
      if (LocalName(child) == "rte") ReadGpxLine(child, "rtept");
      if (LocalName(child) != "trk") continue;
      for (const pugi::xml_node segment : child.children()) {
        if (LocalName(segment) == "trkseg") ReadGpxLine(segment, "trkpt");
      }
    }
  }

  void ReadGpxLine(pugi::xml_node parent, std::string_view pointName) {
    std::vector<EarthPosition> line;
    for (const pugi::xml_node point : parent.children()) {
      if (LocalName(point) != pointName) continue;
      const std::optional<double> latitude = Number(point.attribute("lat").value());
      const std::optional<double> longitude = Number(point.attribute("lon").value());
      if (!latitude || !longitude || !OnTheGlobe(*latitude, *longitude)) {
        Problem(LineAt(point.offset_debug()), std::string(pointName) + ": lat and lon must be degrees on the globe");
        return;
      }
      line.push_back({*latitude, *longitude});
    }
    if (!line.empty()) result_.route.lines.push_back(std::move(line));
  }

  void ReadKml(pugi::xml_node node) {
    for (const pugi::xml_node child : node.children()) {
      if (LocalName(child) != "LineString") {
        ReadKml(child);
        continue;
      }
      for (const pugi::xml_node coordinates : child.children()) {
        if (LocalName(coordinates) == "coordinates") ReadKmlLine(coordinates);
      }
    }
  }

  // "lon,lat[,alt]" tuples apart by white space.
  void ReadKmlLine(pugi::xml_node coordinates) {
    std::vector<EarthPosition> line;
    const std::string_view text = coordinates.text().get();
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t start = text.find_first_not_of(" \t\r\n", at);
      if (start == std::string_view::npos) break;
      const std::size_t end = std::min(text.find_first_of(" \t\r\n", start), text.size());
      const std::string_view tuple = text.substr(start, end - start);
      at = end;
      const std::size_t comma = tuple.find(',');
      const std::size_t second = tuple.find(',', comma == std::string_view::npos ? tuple.size() : comma + 1);
      const std::optional<double> longitude = Number(tuple.substr(0, comma));
      const std::optional<double> latitude =
          comma == std::string_view::npos ? std::nullopt : Number(tuple.substr(comma + 1, second - comma - 1));
      if (!longitude || !latitude || !OnTheGlobe(*latitude, *longitude)) {
        Problem(LineAt(coordinates.offset_debug()),
                "coordinates: \"" + std::string(tuple.substr(0, 60)) + "\" is not lon,lat in degrees");
        return;
      }
      line.push_back({*latitude, *longitude});
    }
    if (!line.empty()) result_.route.lines.push_back(std::move(line));
  }

  std::string_view text_;
  RouteReadResult result_;
};

}  // namespace

RouteReadResult ReadRoute(std::string_view text) { return RouteReader(text).Read(); }

}  // namespace userdb::formats
