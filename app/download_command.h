#pragma once
// "Load user database from device": the device's whole database replaces the one in memory,
// and page 0 is shown.

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// True when the whole database came in. On any failure the database, page, unit, window
// texts and buttons stay exactly as they were, so a partial or shifted image can never
// replace it. A copy of what came goes to the backups; one that cannot be kept is told.
bool DownloadDatabase(ProgramState& state, Window& window);

}  // namespace userdb
