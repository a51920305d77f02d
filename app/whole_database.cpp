#include "app/whole_database.h"

#include "app/page_view.h"
#include "window/control_ids.h"

namespace userdb {

void ShowWholeDatabase(ProgramState& state, Window& window) {
  state.loaded = true;
  state.page.current = 0;
  ShowPage(state.database, state.page, state.shown, window);
  for (int id : {ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kExitAndWrite}) {
    window.Enable(id, true);
  }
}

}  // namespace userdb
