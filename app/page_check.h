#pragma once
// Checks the page's typed text and, in the store pass, stores it into the database.

#include "app/shown_page.h"
#include "database/row_entry.h"
#include "database/user_database.h"
#include "window/window.h"

namespace userdb {

// Judges every row of the page shown, lists faulty rows in the StatusBox and ticks their
// RowCheck, and requires the filled rows to come first. Notes that fit are written in both
// passes; records only when store is true, untouched values as shown. Returns true when the
// page passes.
bool CheckPage(UserDatabase& database, std::uint16_t page, const ShownPage& shown, Window& window, bool store);

// The record the store pass makes of a row of the page shown.
UserPoint PointToStore(std::uint16_t page, const ShownPage& shown, int row, const RowEntry& entry);

}  // namespace userdb
