#pragma once
// The window's side of a write that broke off: on the next connect to that device it finds out
// what the device holds and, where that is neither the write nor the points from before, lets
// the user write again, restore the backup from before, or leave it for now.

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// After a download: device is what it gave.
void SettleUnfinishedWrite(ProgramState& state, Window& window, const TransferImage& device);

// After "Open COM Port" found the device: reads it first, but only when a write to it is
// unfinished.
void CheckUnfinishedWrite(ProgramState& state, Window& window);

}  // namespace userdb
