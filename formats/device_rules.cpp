#include "formats/device_rules.h"

#include <optional>
#include <string>

#include "base/page_layout.h"
#include "database/field_errors.h"
#include "database/note_codec.h"
#include "database/point_texts.h"
#include "database/row_entry.h"

namespace userdb::formats {
namespace {

constexpr int kFieldCount = kShortFieldCount + 1;

PointField FieldOfRowField(int field) {
  if (field < kLatitudeFirstField) return PointField::Longitude;
  if (field < kSpeedField) return PointField::Latitude;
  if (field == kSpeedField) return PointField::Speed;
  if (field == kDirectionField) return PointField::Direction;
  if (field == kTypeField) return PointField::Type;
  return PointField::Note;
}

// The window's own line for the field, without its line break, and what the field showed.
std::string FaultText(const RowEntry& entry, int field) {
  std::string line;
  AppendErrorLines(FieldErrorBit(field), line);
  line.erase(line.find_last_not_of(" \r\n") + 1);
  const std::string shown =
      field == kNoteField ? std::to_string(entry.note.size()) + " bytes" : "shown as " + entry.texts[field];
  return line + " (" + shown + ")";
}

void CheckPoint(const PointsFile& file, std::size_t record, std::vector<FileProblem>& problems) {
  const UserDatabase& database = file.database;
  const RowEntry entry = JudgeRowTexts(TextsOfPoint(database.Point(record), kSpeedUnitKilometer),
                                       NoteText(database.Note(record)), kSpeedUnitKilometer);
  for (int field = 0; field < kFieldCount; ++field) {
    if ((entry.errors & FieldErrorBit(field)) == 0) continue;
    problems.push_back(RecordProblem(file, record, file.NameOf(FieldOfRowField(field)), FaultText(entry, field)));
  }
}

}  // namespace

std::vector<FileProblem> CheckForDevice(const PointsFile& file) {
  std::vector<FileProblem> problems;
  std::optional<std::size_t> firstEmpty;
  for (std::size_t record = 0; record < kRecordCount; ++record) {
    if (file.database.Point(record).IsEmpty()) {
      if (!firstEmpty) firstEmpty = record;
      continue;
    }
    if (firstEmpty) {
      problems.push_back(RecordProblem(file, record, "",
                                       "record " + std::to_string(record) + " holds a point, but record " +
                                           std::to_string(*firstEmpty) +
                                           " before it is empty: filled records must come first"));
    }
    CheckPoint(file, record, problems);
  }
  return problems;
}

}  // namespace userdb::formats
