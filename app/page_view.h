#pragma once
// Shows the current page of the database in the window's eight rows.

#include "app/shown_page.h"
#include "database/user_database.h"
#include "window/window.h"

namespace userdb {

// Writes the unit label, the PageLabel and every row, clears the row marks, sets the last
// reachable page and remembers what it wrote in shown. Records are never changed.
void ShowPage(UserDatabase& database, ShownPage& shown, Window& window);

}  // namespace userdb
