#pragma once
// A database that arrived whole, from the device or from a file: it shows from page 0 on and
// counts as loaded.

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// Shows page 0 and enables the commands that work on a loaded database.
void ShowWholeDatabase(ProgramState& state, Window& window);

}  // namespace userdb
