#pragma once
// The main window's initialisation: what the program itself puts into a freshly built window.

#include <string_view>

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

inline constexpr std::string_view kLoadPrompt = "Please Load User Database";
inline constexpr std::string_view kStartStatus = "Please choose com and \r\nopen com port";

// Runs after the front-end has built the window from the control table and filled the
// PortList with PortListEntries().
void InitialiseMainForm(ProgramState& state, Window& window);

}  // namespace userdb
