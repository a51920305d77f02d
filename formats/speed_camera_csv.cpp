#include "formats/speed_camera_csv.h"

#include <array>
#include <vector>

#include "database/speed_codec.h"
#include "formats/csv_columns.h"
#include "formats/csv_row_fields.h"
#include "formats/csv_table.h"

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
constexpr std::uint32_t kLargestKmh = 999;
constexpr std::uint32_t kLargestDirection = 359;
constexpr std::uint32_t kLargestType = 1;

// One list row as the points it becomes, or the problems, noted with its line, that keep it out.
class CameraRow {
 public:
  CameraRow(const CsvRecord& row, const CsvColumns& columns, const CameraImport& options,
            std::vector<FileProblem>& problems)
      : fields_(row, columns, problems), problemsBefore_(problems.size()) {
    point_.longitude = fields_.Coordinate(kX).value_or(kNoCoordinate);
    point_.latitude = fields_.Coordinate(kY).value_or(kNoCoordinate);
    point_.type = options.type
                      ? *options.type
                      : static_cast<std::uint8_t>(fields_.Number(kType, kNoType, kLargestType).value_or(kNoType));
    const std::uint32_t kmh = fields_.Number(kSpeed, 0, kLargestKmh).value_or(0);
    point_.speed = kmh == 0 ? kNoSpeed : StoredSpeed(kmh, kSpeedUnitKilometer);
    ReadDirections();
  }

  const std::vector<UserPoint>& Points() const { return points_; }

 private:
  void ReadDirections() {
    const std::optional<std::uint32_t> kind = fields_.Number(kDirType, kAllDirections, kBothDirections);
    if (!kind) return;
    if (*kind == kAllDirections) {
      return fields_.Problem(kDirType, "all directions: a point of the device holds one direction");
    }
    if (fields_.Field(kDirection).empty())
      return fields_.Problem(kDirection, "empty, but DIRTYPE asks for a direction");
    const std::optional<std::uint32_t> direction = fields_.Number(kDirection, kNoDirection, kLargestDirection);
    if (!direction || fields_.ProblemCount() != problemsBefore_) return;
    points_.push_back(WithDirection(*direction));
    if (*kind == kBothDirections) points_.push_back(WithDirection((*direction + 180) % 360));
  }

  UserPoint WithDirection(std::uint32_t direction) const {
    UserPoint point = point_;
    point.direction = static_cast<std::uint16_t>(direction);
    return point;
  }

  CsvRowFields fields_;
  std::size_t problemsBefore_;
  UserPoint point_;
  std::vector<UserPoint> points_;
};

void AddOverflow(ReadResult& result, const CsvRecord& firstLeftOut, std::size_t rowsLeftOut) {
  result.problems.push_back(ProblemAt(
      firstLeftOut.line, "",
      "this row and the " + std::to_string(rowsLeftOut - 1) + " after it do not fit: a device holds 256 points"));
}

}  // namespace

ReadResult ReadSpeedCameraCsv(std::string_view text, const CameraImport& options) {
  CsvTable table = ParseCsv(text);
  ReadResult result;
  result.points.fieldNames = kCameraFieldNames;
  if (!table.problems.empty()) {
    result.problems = std::move(table.problems);
    return result;
  }
  if (table.records.empty()) return Refused(ProblemAt(1, "", "no header row"));
  const CsvColumns columns(table.records.front(), {kRequiredColumns, kOptionalColumns, true}, result.problems);
  if (!result.Ok()) return result;

  std::size_t next = 0;
  for (std::size_t i = 1; i < table.records.size(); ++i) {
    const CsvRecord& row = table.records[i];
    if (auto problem = columns.CheckWidth(row)) {
      result.problems.push_back(*problem);
      continue;
    }
    const CameraRow camera(row, columns, options, result.problems);
    if (next + camera.Points().size() > kRecordCount) {
      AddOverflow(result, row, table.records.size() - i);
      break;
    }
    for (const UserPoint& point : camera.Points()) {
      result.points.database.SetPoint(next, point);
      result.points.lines[next++] = row.line;
    }
  }
  return result;
}

bool IsSpeedCameraList(std::string_view text) {
  const CsvTable header = ParseCsv(text.substr(0, text.find('\n')));
  if (header.records.empty() || header.records.front().fields.empty()) return false;
  const std::string& first = header.records.front().fields.front();
  return SameColumnName(first, kX, true) || SameColumnName(first, kIdx, true);
}

}  // namespace userdb::formats
