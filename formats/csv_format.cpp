#include "formats/csv_format.h"

#include <array>
#include <bitset>

#include "database/field_bounds.h"
#include "database/speed_codec.h"
#include "formats/csv_columns.h"
#include "formats/csv_row_fields.h"
#include "formats/csv_table.h"
#include "formats/decimal_degrees.h"
#include "formats/note_fields.h"
#include "formats/record_values.h"

namespace userdb::formats {
namespace {

constexpr std::string_view kIndex = "index";
constexpr std::string_view kLongitude = "longitude";
constexpr std::string_view kLatitude = "latitude";
constexpr std::string_view kSpeedKnots = "speed_knots";
constexpr std::string_view kSpeedKmh = "speed_kmh";
constexpr std::string_view kDirection = "direction";
constexpr std::string_view kType = "type";
constexpr std::string_view kNote = "note";
constexpr std::string_view kNoteHex = "note_hex";
constexpr std::string_view kExtraHex = "extra_hex";

constexpr std::array<std::string_view, 3> kRequiredColumns = {kIndex, kLongitude, kLatitude};
constexpr std::array<std::string_view, 7> kOptionalColumns = {kSpeedKnots, kSpeedKmh, kDirection, kType,
                                                              kNote,       kNoteHex,  kExtraHex};
constexpr FieldNames kCsvFieldNames = {kLongitude, kLatitude, kSpeedKnots, kDirection, kType, kNote};

std::string KmhText(std::uint16_t stored) {
  constexpr std::uint8_t kKilometer = kSpeedUnitKilometer;
  return stored == kNoSpeed ? std::string() : std::to_string(ShownSpeed(stored, kKilometer));
}

std::vector<std::string> RowOf(const UserDatabase& database, std::size_t record) {
  const UserPoint point = database.Point(record);
  const bool located = !point.IsEmpty();
  const NoteFields note = NoteFieldsOf(database.Note(record));
  return {std::to_string(record),
          located ? DegreesText(point.longitude) : std::string(),
          located ? DegreesText(point.latitude) : std::string(),
          OptionalNumberText(point.speed, kNoSpeed),
          KmhText(point.speed),
          OptionalNumberText(point.direction, kNoDirection),
          OptionalNumberText(point.type, kNoType),
          note.text,
          note.hex,
          ExtraBytesText(database, record)};
}

// Reads one data row into its record, noting a problem for every field that is wrong.
class RowReader {
 public:
  RowReader(const CsvRecord& row, const CsvColumns& columns, std::vector<FileProblem>& problems)
      : fields_(row, columns, problems) {}

  void Into(PointsFile& file, std::bitset<kRecordCount>& taken) {
    std::string reason;
    const std::optional<std::size_t> index = ParseRecordIndex(fields_.Field(kIndex), reason);
    if (!index) return fields_.Problem(kIndex, reason);
    if (taken.test(*index)) return fields_.Problem(kIndex, "record " + std::to_string(*index) + " is given twice");
    taken.set(*index);
    file.lines[*index] = fields_.Line();

    UserDatabase& database = file.database;
    UserPoint point;
    ReadCoordinates(point);
    point.speed = ReadSpeed();
    point.direction =
        static_cast<std::uint16_t>(fields_.Number(kDirection, kNoDirection, 0xFFFF).value_or(kNoDirection));
    point.type = static_cast<std::uint8_t>(fields_.Number(kType, kNoType, 0xFF).value_or(kNoType));
    database.SetPoint(*index, point);
    if (!ReadExtraBytes(fields_.Field(kExtraHex), database, *index)) {
      fields_.Problem(kExtraHex, "not 6 hex digits (bytes 13 to 15)");
    }
    const NoteFields note{std::string(fields_.Field(kNote)), std::string(fields_.Field(kNoteHex))};
    if (auto problem = ReadNoteFields(note, {kNote, kNoteHex}, database.Note(*index))) {
      fields_.Problem(problem->field, problem->message);
    }
  }

 private:
  void ReadCoordinates(UserPoint& point) {
    if (fields_.Field(kLongitude).empty() && fields_.Field(kLatitude).empty()) return;  // an erased record
    point.longitude = Coordinate(kLongitude, kLatitude);
    point.latitude = Coordinate(kLatitude, kLongitude);
  }

  std::uint32_t Coordinate(std::string_view column, std::string_view other) {
    if (!fields_.Field(column).empty()) return fields_.Coordinate(column).value_or(kNoCoordinate);
    fields_.Problem(column, "empty, but " + std::string(other) + " is not: give both or neither");
    return kNoCoordinate;
  }

  // The stored speed rules; a km/h value counts when it is the only one given.
  std::uint16_t ReadSpeed() {
    const std::string_view kmh = fields_.Field(kSpeedKmh);
    if (fields_.Field(kSpeedKnots).empty() && !kmh.empty()) {
      const std::uint32_t typed = fields_.Number(kSpeedKmh, kNoSpeed, kLargestSpeed).value_or(kNoSpeed);
      return typed == kNoSpeed ? kNoSpeed : StoredSpeed(typed, kSpeedUnitKilometer);
    }
    const std::optional<std::uint32_t> knots = fields_.Number(kSpeedKnots, kNoSpeed, 0xFFFF);
    if (!knots) return kNoSpeed;
    const auto stored = static_cast<std::uint16_t>(*knots);
    if (!kmh.empty() && kmh != KmhText(stored)) {
      fields_.Problem(kSpeedKmh, std::string(kmh) + " does not match speed_knots " +
                                     std::string(fields_.Field(kSpeedKnots)) + " (" + KmhText(stored) +
                                     " km/h): change one of them and clear the other");
    }
    return stored;
  }

  CsvRowFields fields_;
};

}  // namespace

std::string WriteCsv(const UserDatabase& database) {
  std::vector<std::string> header(kRequiredColumns.begin(), kRequiredColumns.end());
  header.insert(header.end(), kOptionalColumns.begin(), kOptionalColumns.end());
  std::string text = CsvLine(header);
  for (std::size_t record = 0; record < kRecordCount; ++record) {
    if (HoldsAnything(database, record)) text += CsvLine(RowOf(database, record));
  }
  return text;
}

ReadResult ReadCsv(std::string_view text) {
  CsvTable table = ParseCsv(text);
  ReadResult result;
  result.points.fieldNames = kCsvFieldNames;
  if (!table.problems.empty()) {
    result.problems = std::move(table.problems);
    return result;
  }
  if (table.records.empty()) return Refused(ProblemAt(1, "", "no header row"));
  const CsvColumns columns(table.records.front(), {kRequiredColumns, kOptionalColumns, false}, result.problems);
  if (!result.Ok()) return result;

  std::bitset<kRecordCount> taken;
  for (std::size_t i = 1; i < table.records.size(); ++i) {
    const CsvRecord& row = table.records[i];
    if (i > kRecordCount) {
      result.problems.push_back(ProblemAt(row.line, "", "more than 256 rows: a device holds 256 points"));
      break;
    }
    if (auto problem = columns.CheckWidth(row)) {
      result.problems.push_back(*problem);
      continue;
    }
    RowReader(row, columns, result.problems).Into(result.points, taken);
  }
  return result;
}

}  // namespace userdb::formats
