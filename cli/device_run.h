#pragma once
// A device command as the command line runs it: on the line --port names, with the trace and
// the progress display watching it, keeping its backups in the data folder.

#include <functional>

#include "cli/cli_commands.h"
#include "cli/global_options.h"
#include "cli/unfinished_write_check.h"

namespace userdb::cli {

using DeviceCommand = std::function<int(const CommandContext&)>;

// yes: every question is answered yes; else each is asked on the terminal. A write to the
// device left unfinished is looked into first, as use allows. The exit status.
int RunOnDevice(const GlobalOptions& global, bool yes, DeviceUse use, const DeviceCommand& command);

}  // namespace userdb::cli
