#include "menus/import_preview.h"

#include <array>
#include <charconv>

#include "app/source_records.h"
#include "base/path_text.h"
#include "formats/decimal_degrees.h"
#include "formats/device_rules.h"
#include "formats/latin1_text.h"
#include "formats/points_file.h"
#include "menus/shortened_lines.h"

namespace userdb::menus {
namespace {

std::optional<double> Kilometres(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value > 0)) return std::nullopt;
  return value;
}

// "adds \"note\" at 48.0100000,9.0000000".
std::string PointLine(std::string_view what, const formats::ListPoint& point) {
  return std::string(what) + " \"" + formats::Utf8OfBytes(point.note) + "\" at " +
         formats::DegreesText(point.point.latitude) + "," + formats::DegreesText(point.point.longitude);
}

constexpr std::array kFitChoices{FitChoice{formats::CapacityFit::Refuse, "Import only if all fit"},
                                 FitChoice{formats::CapacityFit::Nearest, "Keep the nearest"},
                                 FitChoice{formats::CapacityFit::First, "Keep the first"},
                                 FitChoice{formats::CapacityFit::Along, "Keep those nearest the route"}};

std::string Joined(const files::Complaints& complaints) {
  std::string text;
  for (const std::string& complaint : complaints) text += (text.empty() ? "" : "; ") + complaint;
  return text;
}

// Near and Radius into options; what is wrong with them, or nothing.
std::string ReadRegion(const ImportSettings& settings, formats::MergeOptions& options) {
  if (!settings.near.empty()) {
    options.near = formats::PositionOfText(settings.near);
    if (!options.near) return "Near: give latitude,longitude in degrees, such as 52.52,13.40";
  }
  if (!settings.radiusKm.empty()) {
    options.radiusKm = Kilometres(settings.radiusKm);
    if (!options.radiusKm) return "Radius: give a number of kilometres, such as 50";
  }
  const bool needsNear = options.radiusKm || options.fit == formats::CapacityFit::Nearest;
  if (needsNear && !options.near) return "A radius and \"Keep the nearest\" measure from Near";
  return {};
}

// Route and Corridor into options; what is wrong with them, or nothing.
std::string ReadCorridor(const ImportSettings& settings, LoadedRoute& route, formats::MergeOptions& options) {
  constexpr std::string_view kGiveCorridor =
      "Corridor: give a number of kilometres either side of the route, such as 2";
  const std::optional<double> widthKm = Kilometres(settings.corridorKm);
  if (!settings.corridorKm.empty() && !widthKm) return std::string(kGiveCorridor);
  if (settings.route.empty()) {
    const bool needsRoute = widthKm || options.fit == formats::CapacityFit::Along;
    return needsRoute ? "A corridor and \"Keep those nearest the route\" measure from a Route file" : "";
  }
  if (!widthKm) return std::string(kGiveCorridor);
  const std::filesystem::path file = PathOfText(settings.route);
  files::FileResult<LoadedRoute::Corridor> corridor = route.CorridorOf(file, *widthKm);
  if (!corridor) return Joined(corridor.complaints);
  options.along = std::move(corridor.value);
  return {};
}

// Each list of points is cut on its own, so that a long one never hides what reading changed.
void AppendPointLines(std::vector<std::string>& lines, std::string_view what,
                      const std::vector<formats::ListPoint>& points) {
  std::vector<std::string> section;
  section.reserve(points.size());
  for (const formats::ListPoint& point : points) section.push_back(PointLine(what, point));
  const std::vector<std::string> kept = Shortened(std::move(section), kPreviewPointLines);
  lines.insert(lines.end(), kept.begin(), kept.end());
}

}  // namespace

std::span<const FitChoice> FitChoices() { return kFitChoices; }

MergeChoice MergeOptionsOf(const ImportSettings& settings, const PointSources* sources, LoadedRoute& route) {
  formats::MergeOptions options;
  options.fit = settings.fit;
  if (!settings.replace.empty() && sources != nullptr) {
    options.replacing = [sources, name = settings.replace](const UserDatabase& base, std::size_t record) {
      return IsOfSource(*sources, base, record, name);
    };
  }
  if (std::string problem = ReadRegion(settings, options); !problem.empty()) return {std::nullopt, std::move(problem)};
  if (std::string problem = ReadCorridor(settings, route, options); !problem.empty()) {
    return {std::nullopt, std::move(problem)};
  }
  return {options, {}};
}

ImportPreview PreviewImport(const formats::MergeResult& merged, const std::vector<std::string>& changes) {
  ImportPreview preview;
  std::vector<std::string> lines;
  const formats::MergeSummary& summary = merged.summary;
  if (!merged.Ok()) {
    preview.summary = "The import would hold " + std::to_string(summary.wanted) +
                      " points, and a device holds 256: keep a region, or the nearest or the first points that fit";
  } else {
    preview.summary = formats::DescribeSummary(summary);
    formats::PointsFile file;
    file.database = merged.database;
    const std::vector<formats::FileProblem> problems = formats::CheckForDevice(file);
    for (const formats::FileProblem& problem : problems) lines.push_back(formats::DescribeProblem("import", problem));
    preview.canImport = problems.empty();
  }
  AppendPointLines(lines, "adds", merged.added);
  AppendPointLines(lines, "left out for capacity:", merged.leftOut);
  lines.insert(lines.end(), changes.begin(), changes.end());
  preview.details = Shortened(std::move(lines), kPreviewLines);
  return preview;
}

}  // namespace userdb::menus
