#pragma once
// "EXIT and write to  Device": sends the whole database back and reports the device's verdict.

#include "app/program_state.h"
#include "device/upload.h"
#include "window/window.h"

namespace userdb {

// One conversation that writes the database and waits for the device's verdict. Tells the
// user the outcome; never changes the database in memory.
UploadOutcome UploadDatabase(ProgramState& state, Window& window);

// Asks first; closes the window after No and after a confirmed upload. A failed upload
// keeps the window, and the user's work, so that the write can be tried again.
void ExitAndWrite(ProgramState& state, Window& window);

}  // namespace userdb
