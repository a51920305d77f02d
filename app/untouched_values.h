#pragma once
// Keeps untouched values exact. Showing a value and encoding its text again truncates both
// ways (a speed of 53 shows as 98 km/h, which encodes as 52), so a saved row would drift on
// every save. A value whose field texts are still exactly what the page view wrote is
// therefore stored as the value it was shown from, not re-encoded.

#include "app/shown_page.h"
#include "database/row_entry.h"
#include "database/user_database.h"

namespace userdb {

// The shown row of the given row when the window still holds the page it was taken for (the
// current page) and that row showed a record; none otherwise.
const ShownRow* ShownRowOf(const ShownPage& shown, std::uint16_t currentPage, int row);

// typed with each accepted value whose texts equal the shown texts replaced by the shown value.
// Longitude and latitude are judged on their five fields together.
UserPoint KeepUntouchedValues(UserPoint typed, const RowEntry& entry, const ShownRow& shown);

}  // namespace userdb
