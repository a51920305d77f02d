#pragma once
// The command line's commands, each a thin shell over the window's own command on the
// headless window. Each returns the process's exit status.

#include <filesystem>
#include <ostream>

#include "cli/cli_session.h"
#include "device/serial_port.h"

namespace userdb::cli {

struct CommandContext {
  SerialPort& port;
  int portNumber = 2;
  std::ostream& output;
  std::ostream& errors;
  Confirm confirm;
};

int RunInfo(const CommandContext& context);
int RunDownload(const CommandContext& context, const std::filesystem::path& outputFile);
int RunUpload(const CommandContext& context, const std::filesystem::path& inputFile);
int RunScan(const CommandContext& context);

}  // namespace userdb::cli
