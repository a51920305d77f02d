#pragma once
// Shows the current page of the database in the window's eight rows.

#include "app/page_state.h"
#include "app/shown_page.h"
#include "database/user_database.h"
#include "window/window.h"

namespace userdb {

// Writes the unit label, the PageLabel and every row of page.current, clears the row marks,
// sets the last reachable page and remembers what it wrote in shown.
void ShowPage(const UserDatabase& database, PageState& page, ShownPage& shown, Window& window);

}  // namespace userdb
