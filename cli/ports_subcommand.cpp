#include "cli/ports_subcommand.h"

#include <iostream>

#include "cli/exit_codes.h"
#include "cli/line_choice.h"
#include "cli/port_report.h"

namespace userdb::cli {
namespace {

int ListPorts(bool json) {
  const std::vector<ListedLine> lines = ListLines();
  std::cout << (json ? PortsJson(lines) : PortsText(lines));
  return exit_code::kSuccess;
}

int PinPort(const std::vector<std::string>& pin) {
  const PinLineResult pinned = PinLine(pin[0], pin[1]);
  if (!pinned) {
    std::cerr << "userdb: " << pinned.message << '\n';
    return exit_code::kFileProblem;
  }
  std::cout << pinned.pinned << '\n';
  return exit_code::kSuccess;
}

}  // namespace

CLI::App* PortsSubcommand::AddTo(CLI::App& app) {
  CLI::App* ports = app.add_subcommand(
      "ports", "list the COM numbers that name a device here, with its stable name, USB identity and driver");
  ports->add_flag("--json", json_, "as JSON, for scripts");
  ports
      ->add_option("--pin", pin_,
                   "make COM N lead to the device at PATH from now on, by its stable name when it has one")
      ->expected(2)
      ->type_name("N PATH");
  return ports;
}

int PortsSubcommand::Run(const GlobalOptions& /*global*/) { return pin_.empty() ? ListPorts(json_) : PinPort(pin_); }

}  // namespace userdb::cli
