#pragma once
// Whether the program's standard error is a terminal, where a progress bar may redraw in place.

namespace userdb::cli {

bool ErrorsGoToATerminal();

}  // namespace userdb::cli
