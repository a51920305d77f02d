#include "app/page_check.h"

#include <optional>
#include <string>

#include "app/row_reading.h"
#include "app/untouched_values.h"
#include "database/note_codec.h"
#include "window/control_ids.h"

namespace userdb {

namespace {
constexpr std::string_view kErrorHeading = "~ Error Message ~\r\n";
constexpr std::string_view kOrderMessage = "Please input data increase progressively in a proper order";
constexpr std::string_view kSaveSuccessful = "Save Successful !";

struct CheckState {
  std::string errorText{kErrorHeading};
  int filledRows = 0;
  std::optional<int> firstEmptyRow;
  bool anyError = false;
};

void ListFaultyRow(CheckState& state, Window& window, int row, FieldErrorMask errors) {
  state.anyError = true;
  state.errorText += "NO." + std::to_string(row) + " : \r\n";
  AppendErrorLines(errors, state.errorText);
  state.errorText += " \r\n";
  window.SetText(ids::kStatusBox, state.errorText);
}

void JudgeRow(CheckState& state, Window& window, int row, const RowEntry& entry) {
  if (entry.IsEmpty()) {
    if (!state.firstEmptyRow) state.firstEmptyRow = row;
    window.SetRowChecked(row, false);
    return;
  }
  ++state.filledRows;
  if (entry.errors != 0) ListFaultyRow(state, window, row, entry.errors);
  window.SetRowChecked(row, entry.errors != 0);
}

// A filled row after an empty one breaks the order, whatever the rows' faults.
bool JudgePage(const CheckState& state, Window& window) {
  if (state.firstEmptyRow && *state.firstEmptyRow != state.filledRows) {
    window.ShowMessage(MessageBoxRequest{.owner = BoxOwner::None,
                                         .text = std::string(kOrderMessage),
                                         .caption = std::string(kCaptionInfo),
                                         .kind = BoxKind::Ok});
    return false;
  }
  if (state.anyError) return false;
  window.SetText(ids::kStatusBox, kSaveSuccessful);
  return true;
}
}  // namespace

UserPoint PointToStore(std::uint16_t page, const ShownPage& shownPage, int row, const RowEntry& entry) {
  const UserPoint typed = entry.TypedPoint();
  const ShownRow* shown = ShownRowOf(shownPage, page, row);
  if (entry.IsEmpty() || shown == nullptr) return typed;
  return KeepUntouchedValues(typed, entry, *shown);
}

bool CheckPage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window, bool store) {
  CheckState state;
  const std::size_t firstRecord = static_cast<std::size_t>(page) * kRowsPerPage;
  for (int row = 0; row < kRowsPerPage; ++row) {
    const RowEntry entry = ReadRow(window, row, database.speedUnit);
    const std::size_t index = firstRecord + row;
    if (entry.NoteFits()) WriteNote(database.Note(index), entry.note);
    if (store) database.SetPoint(index, PointToStore(page, shown, row, entry));
    JudgeRow(state, window, row, entry);
  }
  return JudgePage(state, window);
}

}  // namespace userdb
