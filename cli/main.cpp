// userdb: the command line. Every device command runs the window's own command on an
// in-memory window, so scripts get exactly what the window does.

#include <CLI/CLI.hpp>

#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/backup_commands.h"
#include "cli/cli_commands.h"
#include "cli/conversation_trace.h"
#include "cli/exit_codes.h"
#include "cli/file_commands.h"
#include "cli/line_choice.h"
#include "cli/merge_arguments.h"
#include "cli/observed_port.h"
#include "cli/port_report.h"
#include "cli/terminal.h"
#include "storage/backup_store.h"
#include "storage/data_folder.h"

namespace {

using namespace userdb;

constexpr const char* kExitStatuses =
    "Exit status: 0 done; 1 the device could not be reached, refused or failed, or the answer was no;\n"
    "2 wrong usage; 3 a file could not be read or written, or its points break the rules (the device\n"
    "was not touched); 4 the device confirmed the upload but reads back other bytes.\n";

struct GlobalOptions {
  std::string port;
  bool quiet = false;
  std::string trace;
  int retries = 2;  // further tries of a handshake that fails
  bool explain = false;
  bool mph = false;
};

struct FileOptions {
  std::string format;
  std::string inputFormat;
  int cameraType = -1;  // none given
};

bool AskOnTerminal(std::string_view question) {
  std::cerr << question << "[y/N] " << std::flush;
  std::string answer;
  return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
}

int PinPort(const std::vector<std::string>& pin) {
  const cli::PinLineResult pinned = cli::PinLine(pin[0], pin[1]);
  if (!pinned) {
    std::cerr << "userdb: " << pinned.message << '\n';
    return cli::exit_code::kFileProblem;
  }
  std::cout << pinned.pinned << '\n';
  return cli::exit_code::kSuccess;
}

int ListPorts(bool json) {
  const std::vector<cli::ListedLine> lines = cli::ListLines();
  std::cout << (json ? cli::PortsJson(lines) : cli::PortsText(lines));
  return cli::exit_code::kSuccess;
}

std::optional<formats::FileFormat> Format(const std::string& file, const std::string& named, files::FileUse use) {
  const files::FileResult<formats::FileFormat> format = files::ChooseFormat(file, named, use);
  cli::PrintComplaints(std::cerr, format.complaints);
  return format ? std::optional(format.value) : std::nullopt;
}

formats::ListOptions Options(const GlobalOptions& global) {
  formats::ListOptions options;
  options.mph = global.mph;
  return options;
}

files::LoadRequest Load(formats::FileFormat format, const FileOptions& options, bool forDevice,
                        const GlobalOptions& global) {
  files::LoadRequest load;
  load.format = format;
  load.cameras = Options(global);
  if (options.cameraType >= 0) load.cameras.type = static_cast<std::uint8_t>(options.cameraType);
  load.forDevice = forDevice;
  return load;
}

// A device command, on the line --port names, with the trace and the progress display watching it.
int RunOnDevice(const GlobalOptions& global, bool yes, storage::BackupStore& backups,
                const std::function<int(const cli::CommandContext&)>& command) {
  const cli::LineChoiceResult chosen =
      cli::ChooseLine(global.port.empty() ? std::nullopt : std::optional<std::string_view>(global.port));
  if (!chosen) {
    std::cerr << "userdb: " << chosen.message << '\n' << cli::PortNamingHelp();
    return cli::exit_code::kUsage;
  }
  const cli::LineChoice& line = chosen.line;
  cli::ObservedPort port(*line.port);
  const cli::ProgressStyle style = global.quiet                 ? cli::ProgressStyle::Silent
                                   : cli::ErrorsGoToATerminal() ? cli::ProgressStyle::Bar
                                                                : cli::ProgressStyle::Lines;
  cli::TransferProgress progress(std::cerr, port.LineClock(), style);
  port.Watch(progress);
  std::ofstream traceFile;
  std::unique_ptr<cli::ConversationTrace> trace;
  if (!global.trace.empty()) {
    traceFile.open(global.trace, std::ios::trunc);
    if (!traceFile) {
      std::cerr << "userdb: cannot write " << global.trace << '\n';
      return cli::exit_code::kFileProblem;
    }
    trace = std::make_unique<cli::ConversationTrace>(traceFile, port.LineClock());
    port.Watch(*trace);
  }
  const cli::Confirm confirm = yes ? cli::Confirm([](std::string_view) { return true; }) : cli::Confirm(AskOnTerminal);
  ProgramState state(port);
  state.link.handshakeTries = global.retries + 1;
  state.backups = &backups;
  return command(cli::CommandContext{state, line.portNumber, std::cout, std::cerr, confirm, &progress, global.quiet,
                                     line.path, global.explain});
}

int RunMerge(const GlobalOptions& global, const FileOptions& file, const cli::MergeArguments& arguments,
             const CLI::App& command, storage::BackupStore& backups) {
  formats::ListOptions options = Options(global);
  if (file.cameraType >= 0) options.type = static_cast<std::uint8_t>(file.cameraType);
  files::Complaints complaints;
  const std::optional<cli::MergeRequest> request = cli::MergeRequestOf(arguments, command, options, complaints);
  if (!request) {
    cli::PrintComplaints(std::cerr, complaints);
    return cli::exit_code::kUsage;
  }
  const cli::MergeStreams streams{std::cout, std::cerr, global.quiet, global.explain};
  if (!request->baseIsDevice && !(request->toDevice && !request->dryRun))
    return cli::RunMerge(*request, streams, nullptr);
  return RunOnDevice(global, arguments.yes, backups,
                     [&](const cli::CommandContext& context) { return cli::RunMerge(*request, streams, &context); });
}

void AddFormatOption(CLI::App& command, std::string& format, const std::string& name, const std::string& what,
                     files::FileUse use) {
  command.add_option(name, format, what + " (default: by the file's extension)")
      ->check(CLI::IsMember(formats::FormatNames(use == files::FileUse::Write)))
      ->type_name("FORMAT");
}

void AddCameraTypeOption(CLI::App& command, int& cameraType) {
  command.add_option("--camera-type", cameraType, "store every point of a speed-camera list with this type")
      ->check(CLI::Range(0, 1))
      ->type_name("N");
}

int Run(int argc, char** argv) {
  CLI::App app{"Keeps the user database of a GPS speed-camera warning device on a serial port.", "userdb"};
  app.set_version_flag("--version", std::string("userdb ") + USERDB_VERSION);
  app.require_subcommand(1);
  app.fallthrough();
  app.footer(std::string(kExitStatuses) +
             "\nEvery download keeps a copy of the device, the newest 50, in the backups folder of the data\n"
             "folder ($USERDB_DATA_DIR, else $XDG_DATA_HOME/userdb or ~/.local/share/userdb; on Windows\n"
             "%LOCALAPPDATA%\\userdb); upload and restore make one before they write.\n"
             "\nPORT is COMn, n or a device path; the default is COM2.\n" +
             std::string(cli::PortNamingHelp()));

  GlobalOptions global;
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

  FileOptions file;
  std::string input;
  std::string output;
  bool yes = false;
  bool noVerify = false;
  bool noBackup = false;
  std::string restoreWhich;

  CLI::App* info = app.add_subcommand("info", "show the device's serial number and versions");
  CLI::App* download = app.add_subcommand("download", "save the device's database to a file");
  download->add_option("--output,-o", output, "the file to write: .bin, .csv, .gpx or .kml")
      ->required()
      ->type_name("FILE");
  AddFormatOption(*download, file.format, "--format", "the file's format", files::FileUse::Write);

  CLI::App* upload = app.add_subcommand("upload", "write a file's points to the device, then read them back to verify");
  upload->add_option("FILE", input, "the file to send: .bin, .csv (also a speed-camera list) or .gpx")
      ->required()
      ->type_name("");
  AddFormatOption(*upload, file.format, "--format", "the file's format", files::FileUse::Read);
  AddCameraTypeOption(*upload, file.cameraType);

  CLI::App* backupList =
      app.add_subcommand("backups", "list the copies of the device that downloads kept, newest first");
  CLI::App* restore = app.add_subcommand("restore", "write a backup back to the device, then read it back to verify");
  restore->add_option("BACKUP", restoreWhich, "its number in `userdb backups` (default 1, the newest) or its file")
      ->type_name("");
  for (CLI::App* writing : {upload, restore}) {
    writing->add_flag("--yes,-y", yes, "do not ask before writing");
    writing->add_flag("--no-verify", noVerify, "do not read the database back after the device confirmed");
    writing->add_flag("--no-backup", noBackup, "do not read the device into a backup before writing over it");
  }

  CLI::App* scan = app.add_subcommand("scan", "look for the device on COM1 to COM256");
  CLI::App* ports = app.add_subcommand(
      "ports", "list the COM numbers that name a device here, with its stable name, USB identity and driver");
  bool portsJson = false;
  ports->add_flag("--json", portsJson, "as JSON, for scripts");
  std::vector<std::string> pin;
  ports
      ->add_option("--pin", pin,
                   "make COM N lead to the device at PATH from now on, by its stable name when it has one")
      ->expected(2)
      ->type_name("N PATH");

  CLI::App* exportFile = app.add_subcommand("export", "convert a database file to another format, unchecked");
  CLI::App* importFile =
      app.add_subcommand("import", "convert a file to another format, checked by the rules of what goes to a device");
  for (CLI::App* convert : {exportFile, importFile}) {
    convert->add_option("INPUT", input, "the file to read")->required()->type_name("");
    convert->add_option("OUTPUT", output, "the file to write")->required()->type_name("");
    AddFormatOption(*convert, file.inputFormat, "--from", "INPUT's format", files::FileUse::Read);
    AddFormatOption(*convert, file.format, "--to", "OUTPUT's format", files::FileUse::Write);
    AddCameraTypeOption(*convert, file.cameraType);
  }

  cli::MergeArguments mergeArguments;
  CLI::App* merge = cli::AddMergeCommand(app, mergeArguments);
  AddCameraTypeOption(*merge, file.cameraType);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? cli::exit_code::kSuccess : cli::exit_code::kUsage;
  }

  storage::BackupStore backups(storage::BackupFolder());
  if (ports->parsed()) return pin.empty() ? ListPorts(portsJson) : PinPort(pin);
  if (backupList->parsed()) return cli::ListBackups(backups, std::cout);
  if (info->parsed()) return RunOnDevice(global, yes, backups, cli::RunInfo);
  if (scan->parsed()) return RunOnDevice(global, yes, backups, cli::RunScan);
  if (download->parsed()) {
    const auto format = Format(output, file.format, files::FileUse::Write);
    if (!format) return cli::exit_code::kUsage;
    return RunOnDevice(global, yes, backups, [&](const cli::CommandContext& context) {
      return cli::RunDownload(context, cli::DownloadRequest{output, *format, Options(global)});
    });
  }
  if (restore->parsed()) {
    std::string error;
    const std::optional<std::filesystem::path> chosen = cli::ChooseBackup(backups, restoreWhich, error);
    if (!chosen) {
      std::cerr << "userdb: " << error << '\n';
      return cli::exit_code::kFileProblem;
    }
    input = chosen->string();
  }
  if (merge->parsed()) return RunMerge(global, file, mergeArguments, *merge, backups);
  if (upload->parsed() || restore->parsed()) {
    const auto format = Format(input, file.format, files::FileUse::Read);
    if (!format) return cli::exit_code::kUsage;
    return RunOnDevice(global, yes, backups, [&](const cli::CommandContext& context) {
      return cli::RunUpload(context,
                            cli::UploadRequest{input, Load(*format, file, true, global), {!noBackup, !noVerify}});
    });
  }
  const bool importing = importFile->parsed();
  const auto from = Format(input, file.inputFormat, files::FileUse::Read);
  const auto to = Format(output, file.format, files::FileUse::Write);
  if (!from || !to) return cli::exit_code::kUsage;
  return cli::RunConversion(cli::Conversion{input, Load(*from, file, importing, global), output, *to, global.explain},
                            std::cout, std::cerr, global.quiet);
}

}  // namespace

// Whatever a library throws (the file system, the terminal) ends the run with its words, not
// with an abort.
int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "userdb: " << error.what() << '\n';
    return cli::exit_code::kDeviceFailure;
  }
}
