#include "formats/speed_camera_csv.h"

#include <array>
#include <vector>

#include "database/field_bounds.h"
#include "database/speed_codec.h"
#include "formats/csv_columns.h"
#include "formats/csv_row_fields.h"
#include "formats/csv_table.h"
#include "formats/decimal_degrees.h"

namespace userdb::formats {
namespace {

constexpr std::string_view kIdx = "IDX";
constexpr std::string_view kX = "X";
constexpr std::string_view kY = "Y";
constexpr std::string_view kType = "TYPE";
constexpr std::string_view kSpeed = "SPEED";
constexpr std::string_view kDirType = "DIRTYPE";
constexpr std::string_view kDirection = "DIRECTION";

constexpr std::array<std::string_view, 6> kRequiredColumns = {kX, kY, kType, kSpeed, kDirType, kDirection};
constexpr std::array<std::string_view, 1> kOptionalColumns = {kIdx};
constexpr FieldNames kCameraFieldNames = {kX, kY, kSpeed, kDirection, kType, "note"};

constexpr std::uint32_t kAllDirections = 0;
constexpr std::uint32_t kOneDirection = 1;
constexpr std::uint32_t kBothDirections = 2;

// One list row as the points it becomes, or the problems, noted with its line, that keep it out.
class CameraRow {
 public:
  CameraRow(const CsvRecord& row, const CsvColumns& columns, const CameraImport& options, ListRead& list)
      : fields_(row, columns, list.problems), problemsBefore_(list.problems.size()), changes_(list.changes) {
    point_.longitude = fields_.Coordinate(kX).value_or(kNoCoordinate);
    point_.latitude = fields_.Coordinate(kY).value_or(kNoCoordinate);
    point_.type = options.type
                      ? *options.type
                      : static_cast<std::uint8_t>(fields_.Number(kType, kNoType, kLargestType).value_or(kNoType));
    const std::uint32_t kmh = fields_.Number(kSpeed, 0, kLargestSpeed).value_or(0);
    point_.speed = kmh == 0 ? kNoSpeed : StoredSpeed(kmh, kSpeedUnitKilometer);
    ReadDirections();
  }

  const std::vector<UserPoint>& Points() const { return points_; }
  int Line() const { return fields_.Line(); }

 private:
  void ReadDirections() {
    const std::optional<std::uint32_t> kind = fields_.Number(kDirType, kAllDirections, kBothDirections);
    if (!kind) return;
    if (*kind == kAllDirections) {
      if (fields_.ProblemCount() != problemsBefore_) return;
      changes_.push_back({fields_.Line(), 0, "all directions: stored as a point without a direction"});
      return points_.push_back(point_);
    }
    if (fields_.Field(kDirection).empty())
      return fields_.Problem(kDirection, "empty, but DIRTYPE asks for a direction");
    const std::optional<std::uint32_t> direction = fields_.Number(kDirection, kNoDirection, kLargestDirection);
    if (!direction || fields_.ProblemCount() != problemsBefore_) return;
    points_.push_back(WithDirection(*direction));
    if (*kind == kBothDirections)
      points_.push_back(WithDirection((*direction + kDirectionBound / 2) % kDirectionBound));
  }

  UserPoint WithDirection(std::uint32_t direction) const {
    UserPoint point = point_;
    point.direction = static_cast<std::uint16_t>(direction);
    return point;
  }

  CsvRowFields fields_;
  std::size_t problemsBefore_;
  std::vector<Change>& changes_;
  UserPoint point_;
  std::vector<UserPoint> points_;
};

}  // namespace

ListRead ReadSpeedCameraList(std::string_view text, const ListOptions& options) {
  CsvTable table = ParseCsv(text);
  ListRead result;
  if (!table.problems.empty()) {
    result.problems = std::move(table.problems);
    return result;
  }
  if (table.records.empty()) {
    result.problems.push_back(ProblemAt(1, "", "no header row"));
    return result;
  }
  const CsvColumns columns(table.records.front(), {kRequiredColumns, kOptionalColumns, true}, result.problems);
  if (!result.Ok()) return result;
  for (std::size_t i = 1; i < table.records.size(); ++i) {
    const CsvRecord& row = table.records[i];
    if (auto problem = columns.CheckWidth(row)) {
      result.problems.push_back(*problem);
      continue;
    }
    const CameraRow camera(row, columns, options, result);
    for (const UserPoint& point : camera.Points()) result.points.push_back({point, "", row.line, 0});
  }
  return result;
}

ReadResult ReadSpeedCameraCsv(std::string_view text, const CameraImport& options) {
  return IntoDatabase(ReadSpeedCameraList(text, options), kCameraFieldNames);
}

std::string WriteSpeedCameraCsv(std::span<const ListPoint> points, std::vector<Change>& changes) {
  std::string text = CsvLine({std::string(kX), std::string(kY), std::string(kType), std::string(kSpeed),
                              std::string(kDirType), std::string(kDirection)});
  for (const ListPoint& at : points) {
    const UserPoint& point = at.point;
    const auto lost = [&](std::string what) { changes.push_back(ChangeAt(at, std::move(what))); };
    if (!at.note.empty()) lost("note left out: the list has none");
    if (point.type == kNoType) lost("no type written as TYPE 0");
    const bool oneWay = point.direction != kNoDirection;
    std::uint32_t kmh = point.speed == kNoSpeed ? 0 : TypedSpeedFor(point.speed, kSpeedUnitKilometer);
    if (kmh > kLargestSpeed) {
      lost("speed of " + std::to_string(kmh) + " km/h left out: above " + std::to_string(kLargestSpeed));
      kmh = 0;
    } else if (point.speed != kNoSpeed && kmh == 0) {
      lost("speed 0 written as 0, which the list reads as no speed");
    }
    text += CsvLine({DegreesText(point.longitude), DegreesText(point.latitude),
                     std::to_string(point.type == kNoType ? 0 : point.type), std::to_string(kmh),
                     std::to_string(oneWay ? kOneDirection : kAllDirections),
                     std::to_string(oneWay ? point.direction : 0)});
  }
  return text;
}

bool IsSpeedCameraList(std::string_view text) {
  const CsvTable header = ParseCsv(text.substr(0, text.find('\n')));
  if (header.records.empty() || header.records.front().fields.empty()) return false;
  const std::string& first = header.records.front().fields.front();
  return SameColumnName(first, kX, true) || SameColumnName(first, kIdx, true);
}

}  // namespace userdb::formats
