#pragma once
// Checks the page's typed text and, in the store pass, stores it into the database.

#include "app/window.h"
#include "database/user_database.h"

namespace userdb {

// Judges every row of the current page, lists faulty rows in the StatusBox and ticks their
// RowCheck, and requires the filled rows to come first. Notes that fit are written in both
// passes; records only when store is true. Returns true when the page passes.
bool CheckPage(UserDatabase& database, Window& window, bool store);

}  // namespace userdb
