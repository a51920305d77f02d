// userdb: the command line. Every device command runs the window's own command on an
// in-memory window, so scripts get exactly what the window does.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/line_choice.h"

namespace {

using namespace userdb;

constexpr int kUsageError = 2;

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
    "PORT is COMn, n, or a device path; the default is COM2.\n";

struct Arguments {
  std::string command;
  std::optional<std::string> port;
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
      arguments.port = words[++i];
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
  for (const cli::ListedLine& line : cli::ListLines()) std::cout << "COM" << line.portNumber << '\t' << line.device << '\n';
  return 0;
}

int Usage() {
  std::cerr << kUsage << cli::PortNamingHelp();
  return kUsageError;
}

int Run(const Arguments& arguments) {
  if (arguments.command == "ports" && arguments.operands.empty()) return ListPorts();

  std::optional<cli::LineChoice> line = cli::ChooseLine(arguments.port);
  if (!line) return Usage();
  const cli::Confirm confirm = arguments.yes ? cli::Confirm([](std::string_view) { return true; })
                                             : cli::Confirm(AskOnTerminal);
  const cli::CommandContext context{*line->port, line->portNumber, std::cout, std::cerr, confirm};

  if (arguments.command == "info" && arguments.operands.empty()) return cli::RunInfo(context);
  if (arguments.command == "scan" && arguments.operands.empty()) return cli::RunScan(context);
  if (arguments.command == "download" && arguments.operands.empty() && !arguments.outputFile.empty()) {
    return cli::RunDownload(context, arguments.outputFile);
  }
  if (arguments.command == "upload" && arguments.operands.size() == 1) {
    return cli::RunUpload(context, arguments.operands.front());
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
    std::cout << kUsage << cli::PortNamingHelp();
    return 0;
  }
  const std::optional<Arguments> arguments = Parse(words);
  if (!arguments) return Usage();
  return Run(*arguments);
}
