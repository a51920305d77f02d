#include "app/row_reading.h"

#include <array>
#include <string>

#include "window/control_ids.h"

namespace userdb {

RowEntry ReadRow(const Window& window, int row, std::uint8_t speedUnit) {
  std::array<std::string, kShortFieldCount> texts;
  for (int field = 0; field < kShortFieldCount; ++field) {
    texts[field] = window.Text(ids::RowField(row, field), kShortFieldBuffer);
  }
  return JudgeRowTexts(std::move(texts), window.Text(ids::NoteField(row), kNoteBuffer), speedUnit);
}

}  // namespace userdb
