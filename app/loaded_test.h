#pragma once

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// The page commands, the upload and the file commands that take the database as it stands
// need a loaded one. When there is none, tells the user so and returns false.
bool PassesLoadedTest(const ProgramState& state, Window& window);

}  // namespace userdb
