#pragma once
// The page buttons. They work on the window and the in-memory database only, and expect the
// caller to have run the loaded test.

#include "app/page_state.h"
#include "app/shown_page.h"
#include "database/user_database.h"
#include "window/window.h"

namespace userdb {

// "Read next page": moves on within the reachable pages; from page 31 back to page 0.
void NextPage(const UserDatabase& database, PageState& page, ShownPage& shown, Window& window);
// "Read previous page": moves back one page; page 0 has none before it.
void PreviousPage(const UserDatabase& database, PageState& page, ShownPage& shown, Window& window);
// "Save this page": after confirmation, the check pass and, if it passes, the store pass.
void SavePage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window);
// The check pass and, if it passes, the store pass; false when the check found a fault.
bool StorePage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window);
// "Clear data": empties the marked rows in the window; the database learns of it on a save.
void ClearMarkedRows(Window& window);

}  // namespace userdb
