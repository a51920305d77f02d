#include "app/page_view.h"

#include <string>

#include "database/note_codec.h"
#include "database/point_texts.h"
#include "window/control_ids.h"

namespace userdb {

namespace {
void ShowEmptyRow(Window& window, int row) {
  for (int field = 0; field < kRowFieldCount; ++field) window.SetText(ids::RowField(row, field), "");
}

ShownRow ShowFilledRow(const UserPoint& point, std::string_view note, std::uint8_t speedUnit, Window& window, int row) {
  ShownRow filled{.filled = true,
                  .texts = TextsOfPoint(point, speedUnit),
                  .note = std::string(note),
                  .longitude = point.longitude,
                  .latitude = point.latitude,
                  .speed = point.speed,
                  .direction = point.direction,
                  .type = point.type};
  for (int field = 0; field < kShortFieldCount; ++field) window.SetText(ids::RowField(row, field), filled.texts[field]);
  window.SetText(ids::NoteField(row), note);
  return filled;
}
}  // namespace

void ShowPage(const UserDatabase& database, PageState& pages, ShownPage& shown, Window& window) {
  const std::uint16_t page = pages.current;
  window.SetText(ids::kUnitLabel, database.speedUnit == kSpeedUnitKilometer ? "kilometer" : "mile");
  window.SetText(ids::kPageLabel, "Page " + std::to_string(page));

  shown = ShownPage{.valid = true, .page = page, .rows = {}};
  bool lastRowFilled = false;
  for (int row = 0; row < kRowsPerPage; ++row) {
    window.SetRowChecked(row, false);
    const std::size_t index = static_cast<std::size_t>(page) * kRowsPerPage + row;
    const UserPoint point = database.Point(index);
    lastRowFilled = !point.IsEmpty();
    if (point.IsEmpty()) {
      ShowEmptyRow(window, row);
      pages.lastReachable = page;
      continue;
    }
    shown.rows[row] = ShowFilledRow(point, NoteText(database.Note(index)), database.speedUnit, window, row);
  }
  if (lastRowFilled) pages.lastReachable = static_cast<std::uint16_t>(page + 1);
}

}  // namespace userdb
