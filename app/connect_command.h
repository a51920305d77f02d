#pragma once
// "Open COM Port": proves the device answers on the selected port and shows its identity.

#include "app/device_labels.h"
#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// The port of the PortList's selected entry: entry i is port i + 1.
int SelectedPort(const Window& window);

// True when the device answered the handshake and ended the conversation properly.
bool ConnectCommand(ProgramState& state, Window& window);

}  // namespace userdb
