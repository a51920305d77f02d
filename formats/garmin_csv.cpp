#include "formats/garmin_csv.h"

#include "database/field_bounds.h"
#include "database/note_codec.h"
#include "database/speed_codec.h"
#include "formats/csv_table.h"
#include "formats/decimal_degrees.h"
#include "formats/latin1_text.h"

namespace userdb::formats {
namespace {

constexpr std::size_t kLongitude = 0;
constexpr std::size_t kLatitude = 1;
constexpr std::size_t kName = 2;
constexpr std::size_t kComment = 3;

std::uint8_t SpeedUnitOf(const ListOptions& options) { return options.mph ? kSpeedUnitMile : kSpeedUnitKilometer; }

std::string UnitName(const ListOptions& options) { return options.mph ? "mph" : "km/h"; }

// A name's "@NNN" is the point's speed and leaves the name.
std::string_view NameWithoutSpeed(const CsvRecord& row, const ListOptions& options, ListPoint& point,
                                  std::vector<Change>& changes) {
  const std::string_view name = row.fields[kName];
  const std::optional<NamedSpeed> named = SpeedInName(name);
  if (!named) return name;
  if (named->speed > kLargestSpeed) {
    // No sign on the road says that: it is the name's own, and the point is worth keeping.
    changes.push_back({row.line, 0,
                       "@" + std::to_string(named->speed) + " kept in the name: above " +
                           std::to_string(kLargestSpeed) + " it is no speed"});
    return name;
  }
  point.point.speed = StoredSpeed(named->speed, SpeedUnitOf(options));
  const std::uint32_t shown = ShownSpeed(point.point.speed, SpeedUnitOf(options));
  if (named->speed != 0 && shown != named->speed) {
    changes.push_back({row.line, 0,
                       "speed " + std::to_string(named->speed) + " " + UnitName(options) + " shown as " +
                           std::to_string(shown) + " " + UnitName(options) + ": the device stores knots"});
  }
  return named->name;
}

void ReadRow(const CsvRecord& row, const ListOptions& options, ListRead& result) {
  const auto problem = [&](std::string_view field, std::string message) {
    result.problems.push_back(ProblemAt(row.line, field, std::move(message)));
  };
  if (row.fields.size() < kName + 1) return problem("", "a point needs longitude, latitude and name");
  const std::optional<std::uint32_t> longitude = CoordinateOfDegrees(row.fields[kLongitude]);
  const std::optional<std::uint32_t> latitude = CoordinateOfDegrees(row.fields[kLatitude]);
  if (!longitude || !LongitudeOnTheGlobe(*longitude)) return problem("longitude", "not a longitude in degrees");
  if (!latitude || !LatitudeOnTheGlobe(*latitude)) return problem("latitude", "not a latitude in degrees");

  ListPoint point;
  point.line = row.line;
  point.point = UserPoint{*longitude, *latitude, kNoSpeed, kNoDirection, options.type.value_or(kNoType)};
  const std::string_view name = NameWithoutSpeed(row, options, point, result.changes);
  point.note = NoteOfName(name, point, result.changes);
  if (row.fields.size() > kComment && !row.fields[kComment].empty()) {
    result.changes.push_back({row.line, 0, "comment left out: a point has one note"});
  }
  result.points.push_back(std::move(point));
}

// Quoted always, as POI Loader's own files have them.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

ListRead ReadGarminCsv(std::string_view text, const ListOptions& options) {
  CsvTable table = ParseCsv(text);
  ListRead result;
  result.problems = std::move(table.problems);
  if (!result.Ok()) return result;
  for (const CsvRecord& row : table.records) ReadRow(row, options, result);
  return result;
}

std::string WriteGarminCsv(std::span<const ListPoint> points, const ListOptions& options,
                           std::vector<Change>& changes) {
  std::string text;
  for (const ListPoint& at : points) {
    const UserPoint& point = at.point;
    const auto lost = [&](std::string what) { changes.push_back(ChangeAt(at, std::move(what))); };
    if (point.direction != kNoDirection) lost("direction left out: POI CSV has none");
    if (point.type != kNoType) lost("type left out: POI CSV has none");
    std::string name = Utf8OfBytes(at.note);
    const std::uint32_t typed = point.speed == kNoSpeed ? 0 : TypedSpeedFor(point.speed, SpeedUnitOf(options));
    if (typed > kLargestSpeed) {
      lost("speed of " + std::to_string(typed) + " " + UnitName(options) + " left out: above " +
           std::to_string(kLargestSpeed));
    } else if (point.speed == kNoSpeed) {
      if (const std::optional<NamedSpeed> named = SpeedInName(name); named && named->speed <= kLargestSpeed) {
        lost("name ends in @" + std::to_string(named->speed) + ": it reads back as a speed");
      }
    } else {
      if (StoredSpeed(typed, SpeedUnitOf(options)) != point.speed) {
        lost("speed written as " + std::to_string(typed) + " " + UnitName(options) +
             ", which reads back a little lower");
      }
      name += (name.empty() ? "@" : " @") + std::to_string(typed);
    }
    text += DegreesText(point.longitude) + "," + DegreesText(point.latitude) + "," + Quoted(name) + ",\"\"\r\n";
  }
  return text;
}

}  // namespace userdb::formats
