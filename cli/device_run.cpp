#include "cli/device_run.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "base/path_text.h"
#include "cli/conversation_trace.h"
#include "cli/exit_codes.h"
#include "cli/line_choice.h"
#include "cli/observed_port.h"
#include "cli/terminal.h"
#include "cli/waiting_port.h"
#include "storage/user_files.h"

namespace userdb::cli {
namespace {

bool AskOnTerminal(std::string_view question) {
  std::cerr << question << "[y/N] " << std::flush;
  std::string answer;
  return std::getline(std::cin, answer) && (answer == "y" || answer == "Y" || answer == "yes");
}

ProgressStyle StyleFor(const GlobalOptions& global) {
  if (global.quiet) return ProgressStyle::Silent;
  return ErrorsGoToATerminal() ? ProgressStyle::Bar : ProgressStyle::Lines;
}

}  // namespace

int RunOnDevice(const GlobalOptions& global, bool yes, DeviceUse use, const DeviceCommand& command) {
  const LineChoiceResult chosen =
      ChooseLine(global.port.empty() ? std::nullopt : std::optional<std::string_view>(global.port));
  if (!chosen) {
    std::cerr << "userdb: " << chosen.message << '\n' << PortNamingHelp();
    return exit_code::kUsage;
  }
  const LineChoice& line = chosen.line;
  WaitingPort waiting(*line.port, std::chrono::seconds(global.wait), global.quiet ? nullptr : &std::cerr, line.path);
  ObservedPort port(waiting);
  TransferProgress progress(std::cerr, port.LineClock(), StyleFor(global));
  port.Watch(progress);
  std::ofstream traceFile;
  std::unique_ptr<ConversationTrace> trace;
  if (!global.trace.empty()) {
    traceFile.open(PathOfText(global.trace), std::ios::trunc);
    if (!traceFile) {
      std::cerr << "userdb: cannot write " << global.trace << '\n';
      return exit_code::kFileProblem;
    }
    trace = std::make_unique<ConversationTrace>(traceFile, port.LineClock());
    port.Watch(*trace);
  }
  const Confirm confirm = yes ? Confirm([](std::string_view) { return true; }) : Confirm(AskOnTerminal);
  storage::UserFiles files;
  ProgramState state(port);
  state.link.handshakeTries = global.retries + 1;
  files.ServeTo(state);
  const CommandContext context{state,     line.portNumber, std::cout, std::cerr,     confirm,
                               &progress, global.quiet,    line.path, global.explain};
  if (const std::optional<int> stop = CheckUnfinishedWrite(context, use)) return *stop;
  return command(context);
}

}  // namespace userdb::cli
