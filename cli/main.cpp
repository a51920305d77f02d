// userdb: the command line. Every device command runs the window's own command on an
// in-memory window, so scripts get exactly what the window does.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/fixed_path_port.h"
#include "platform/posix/port_argument.h"
#include "platform/posix/port_listing.h"

namespace {

using namespace userdb;

constexpr int kUsageError = 2;
constexpr int kDefaultPort = 2;  // COM002, the entry the window selects at start

constexpr const char* kUsage =
    "usage: userdb [--port PORT] COMMAND\n"
    "\n"
    "commands:\n"
    "  info                    show the device's serial number and versions\n"
    "  download --output FILE  save the device's database as a 36864-byte image\n"
    "  upload FILE [--yes]     write a 36864-byte image to the device (asks first)\n"
    "  scan                    look for the device on COM1 to COM256\n"
    "  ports                   list the COM numbers that name a device here\n"
    "\n"
    "PORT is COMn, n, or a device path; the default is COM2.\n"
    "COM n is the entry comN in $USERDB_PORTS_DIR (default ~/.config/userdb/ports) if there is\n"
    "one, else COM1-32 /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31, COM65-96 /dev/ttyACM0-31,\n"
    "COM97-128 /dev/rfcomm0-31.\n";

struct Arguments {
  std::string command;
  std::optional<posix::PortArgument> port;
  std::vector<std::string> operands;
  std::string outputFile;
  bool yes = false;
};

std::optional<Arguments> Parse(const std::vector<std::string>& words) {
  Arguments arguments;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool hasValue = i + 1 < words.size();
    if (word == "--port" && hasValue) {
      arguments.port = posix::ParsePortArgument(words[++i]);
      if (!arguments.port) return std::nullopt;
    } else if ((word == "--output" || word == "-o") && hasValue) {
      arguments.outputFile = words[++i];
    } else if (word == "--yes" || word == "-y") {
      arguments.yes = true;
    } else if (word.starts_with("-")) {
      return std::nullopt;
    } else if (arguments.command.empty()) {
      arguments.command = word;
    } else {
      arguments.operands.push_back(word);
    }
  }
  return arguments;
}

bool AskOnTerminal(std::string_view question) {
  std::cerr << question << "[y/N] " << std::flush;
  std::string answer;
  return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
}

int ListPorts() {
  for (const posix::ListedPort& port : posix::ListPorts()) {
    std::cout << "COM" << port.portNumber << '\t' << port.devicePath.string() << '\n';
  }
  return 0;
}

int Run(const Arguments& arguments) {
  if (arguments.command == "ports" && arguments.operands.empty()) return ListPorts();

  std::unique_ptr<SerialPort> port;
  int portNumber = kDefaultPort;
  if (arguments.port && std::holds_alternative<std::filesystem::path>(*arguments.port)) {
    port = std::make_unique<cli::FixedPathPort>(std::get<std::filesystem::path>(*arguments.port));
  } else {
    port = std::make_unique<PosixSerialPort>();
    if (arguments.port) portNumber = std::get<int>(*arguments.port);
  }
  const cli::Confirm confirm = arguments.yes ? cli::Confirm([](std::string_view) { return true; })
                                             : cli::Confirm(AskOnTerminal);
  const cli::CommandContext context{*port, portNumber, std::cout, std::cerr, confirm};

  if (arguments.command == "info" && arguments.operands.empty()) return cli::RunInfo(context);
  if (arguments.command == "scan" && arguments.operands.empty()) return cli::RunScan(context);
  if (arguments.command == "download" && arguments.operands.empty() && !arguments.outputFile.empty()) {
    return cli::RunDownload(context, arguments.outputFile);
  }
  if (arguments.command == "upload" && arguments.operands.size() == 1) {
    return cli::RunUpload(context, arguments.operands.front());
  }
  std::cerr << kUsage;
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  const std::optional<Arguments> arguments = Parse(words);
  if (!arguments) {
    std::cerr << kUsage;
    return kUsageError;
  }
  return Run(*arguments);
}
