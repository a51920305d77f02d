// userdb: the command line. Each subcommand runs the device layer's conversations itself, with a
// CommandLineSeat that says on standard error what the window would show, and takes its exit
// status from their typed results; the table in Run lists the subcommands as --help does.

#include <CLI/CLI.hpp>

#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "cli/backup_subcommands.h"
#include "cli/convert_subcommand.h"
#include "cli/device_subcommands.h"
#include "cli/exit_codes.h"
#include "cli/line_choice.h"
#include "cli/merge_subcommand.h"
#include "cli/ports_subcommand.h"
#include "cli/sources_subcommand.h"
#include "cli/utf8_arguments.h"

namespace {

using namespace userdb;

constexpr const char* kExitStatuses =
    "Exit status: 0 done; 1 the device could not be reached, refused or failed, or the answer was no;\n"
    "2 wrong usage; 3 a file could not be read or written, or its points break the rules (the device\n"
    "was not touched); 4 the device confirmed the upload but reads back other bytes.\n";

// Before the subcommands, which take over the footer.
void Describe(CLI::App& app) {
  app.set_version_flag("--version", std::string("userdb ") + USERDB_VERSION);
  app.require_subcommand(1);
  app.fallthrough();
  app.footer(std::string(kExitStatuses) +
             "\nEvery download keeps a copy of the device, the newest 50, in the backups folder of the data\n"
             "folder ($USERDB_DATA_DIR, else $XDG_DATA_HOME/userdb or ~/.local/share/userdb; on Windows\n"
             "%LOCALAPPDATA%\\userdb); upload and restore make one before they write.\n"
             "\nPORT is COMn, n or a device path; the default is COM2.\n" +
             std::string(cli::PortNamingHelp()));
}

void AddGlobalOptions(CLI::App& app, cli::GlobalOptions& global) {
  app.add_option("--port,-p", global.port, "the device's port: COMn, n or a device path (default COM2)")
      ->type_name("PORT");
  app.add_flag("--quiet,-q", global.quiet, "no progress display and no word of success");
  app.add_option("--trace", global.trace, "write each device conversation to this file as timestamped hex")
      ->type_name("FILE");
  app.add_flag("--explain", global.explain, "list every change a format made to the points, line by line");
  app.add_flag("--mph", global.mph, "speeds in names (\"School @30\") are miles per hour, not km/h");
  app.add_option("--retries", global.retries,
                 "try a handshake the device does not answer this many times more, 0.5 s apart (default 2)")
      ->check(CLI::Range(0, 10))
      ->type_name("N");
  app.add_option("--wait", global.wait,
                 "wait up to this many seconds for a port that is not there, not free or not open to you yet, "
                 "trying every 0.25 s (default 0)")
      ->check(CLI::Range(0, 3600))
      ->type_name("SECONDS");
}

int Run(int argc, char** argv) {
  CLI::App app{"Keeps the user database of a GPS speed-camera warning device on a serial port.", "userdb"};
  Describe(app);
  cli::GlobalOptions global;
  AddGlobalOptions(app, global);

  cli::InfoSubcommand info;
  cli::DownloadSubcommand download;
  cli::UploadSubcommand upload;
  cli::BackupsSubcommand backups;
  cli::RestoreSubcommand restore;
  cli::ResumeSubcommand resume;
  cli::ScanSubcommand scan;
  cli::PortsSubcommand ports;
  cli::ConvertSubcommand exportFile("export", "convert a database file to another format, unchecked", false);
  cli::ConvertSubcommand importFile(
      "import", "convert a file to another format, checked by the rules of what goes to a device", true);
  cli::MergeSubcommand merge;
  cli::SourcesSubcommand sources;
  const std::array<cli::Subcommand*, 12> subcommands{&info, &download, &upload,     &backups,    &restore, &resume,
                                                     &scan, &ports,    &exportFile, &importFile, &merge,   &sources};

  std::array<CLI::App*, subcommands.size()> added{};
  for (std::size_t i = 0; i < subcommands.size(); ++i) added[i] = subcommands[i]->AddTo(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? cli::exit_code::kSuccess : cli::exit_code::kUsage;
  }
  for (std::size_t i = 0; i < subcommands.size(); ++i) {
    if (added[i]->parsed()) return subcommands[i]->Run(global);
  }
  return cli::exit_code::kUsage;  // not reached: the app requires one subcommand
}

}  // namespace

// Whatever a library throws (the file system, the terminal) ends the run with its words, not
// with an abort.
int main(int argc, char** argv) {
  try {
    std::vector<std::string> arguments = cli::Utf8Arguments(argc, argv);
    std::vector<char*> words;
    words.reserve(arguments.size());
    for (std::string& argument : arguments) words.push_back(argument.data());
    return Run(static_cast<int>(words.size()), words.data());
  } catch (const std::exception& error) {
    std::cerr << "userdb: " << error.what() << '\n';
    return cli::exit_code::kDeviceFailure;
  }
}
