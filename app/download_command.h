#pragma once
// "Load user database from device": the device's whole database replaces the one in memory,
// and page 0 is shown.

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// True when the whole database came in. On any failure the database, page, unit, window
// texts and buttons stay exactly as they were, so a partial or shifted image can never
// replace it. A copy of what came goes to the backups; one that cannot be kept is told.
// A write to this device that was left unfinished is then put right (unfinished_write_command.h).
bool DownloadDatabase(ProgramState& state, Window& window);

// The copy of the device that every download leaves, before anything can be written over it.
void KeepDeviceBackup(ProgramState& state, Window& window, const TransferImage& image);

}  // namespace userdb
