#pragma once
// "Auto Open COM Port": finds the port where the device answers, selects it and connects there.

#include <optional>

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

// Returns the port found, after selecting it and running the connect there.
std::optional<int> PortScan(ProgramState& state, Window& window);

}  // namespace userdb
