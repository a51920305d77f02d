#pragma once
// "EXIT and write to  Device": sends the whole database back, reports the device's verdict and
// checks it against what the device then gives back.

#include "app/program_state.h"
#include "device/upload.h"
#include "window/window.h"

namespace userdb {

// One conversation that writes the database and waits for the device's verdict. Tells the
// user the outcome; never changes the database in memory.
UploadOutcome UploadDatabase(ProgramState& state, Window& window);

// Writes the database, and once the device has confirmed, reads it back and compares. Tells
// the user the outcome; true only when the device gives back exactly what was sent. The write
// is recorded as unfinished before it starts, and the record dropped once it reads back.
bool WriteVerified(ProgramState& state, Window& window);

// The same for a write the record already names, which it keeps as it is until the read-back
// agrees: writing again after a write that broke off, or restoring the backup from before.
bool WriteRecordedImage(ProgramState& state, Window& window, const TransferImage& image);

// Asks first; closes the window after No and after a verified write. A write that failed or
// reads back otherwise keeps the window, and the user's work, so that it can be tried again.
void ExitAndWrite(ProgramState& state, Window& window);

}  // namespace userdb
