#include "app/unsaved_page.h"

#include "app/page_check.h"
#include "app/page_commands.h"
#include "app/row_reading.h"
#include "database/note_codec.h"

namespace userdb {
namespace {

bool RowWouldChange(const ProgramState& state, const Window& window, int row) {
  const UserDatabase& database = state.database;
  const RowEntry entry = ReadRow(window, row, database.speedUnit);
  if (!entry.IsEmpty() && entry.errors != 0) return true;  // an empty row counts no faults
  const std::size_t index = static_cast<std::size_t>(state.page.current) * kRowsPerPage + row;
  const UserPoint stored = database.Point(index);
  if (PointToStore(state.page.current, state.shown, row, entry) != stored) return true;
  // An empty record's note bytes are never shown, so only a typed note counts there.
  return stored.IsEmpty() ? !entry.note.empty() : entry.note != NoteText(database.Note(index));
}

}  // namespace

bool PageHasUnsavedWork(const ProgramState& state, const Window& window) {
  if (!state.loaded) return false;
  for (int row = 0; row < kRowsPerPage; ++row) {
    if (RowWouldChange(state, window, row)) return true;
  }
  return false;
}

bool SettleUnsavedWork(ProgramState& state, Window& window) {
  if (!PageHasUnsavedWork(state, window)) return true;
  const BoxAnswer answer = window.ShowMessage(MessageBoxRequest{.owner = BoxOwner::MainWindow,
                                                                .text = std::string(kSaveChangesQuestion),
                                                                .caption = std::string(kCaptionInfo),
                                                                .kind = BoxKind::YesNoCancel});
  if (answer == BoxAnswer::Cancel) return false;
  if (answer == BoxAnswer::No) return true;
  return StorePage(state.database, state.page.current, state.shown, window);
}

}  // namespace userdb
