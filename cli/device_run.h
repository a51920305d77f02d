#pragma once
// A device command as the command line runs it: on the line --port names, with the trace and
// the progress display watching it, keeping its backups in the data folder.

#include <functional>

#include "cli/cli_commands.h"
#include "cli/global_options.h"

namespace userdb::cli {

using DeviceCommand = std::function<int(const CommandContext&)>;

// yes: every question is answered yes; else each is asked on the terminal. The exit status.
int RunOnDevice(const GlobalOptions& global, bool yes, const DeviceCommand& command);

}  // namespace userdb::cli
