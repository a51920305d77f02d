#pragma once
// The command line's window: the headless main window, with message boxes turned into lines
// on stderr and questions into a confirmation callback.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/command_router.h"
#include "device/program_state.h"
#include "platform/headless/headless_window.h"

namespace userdb::cli {

using Confirm = std::function<bool(std::string_view question)>;

class CliSession {
 public:
  // portNumber: the COM number the PortList selects before any command runs.
  // The scan's verdict boxes ("API-return") are the command's result and go to output; every
  // other box reports a problem or an outcome and goes to errors.
  CliSession(SerialPort& port, int portNumber, std::ostream& output, std::ostream& errors, Confirm confirm);

  ProgramState& State() { return state_; }
  HeadlessWindow& MainWindow() { return window_; }
  CommandRouter& Router() { return router_; }

  // The text of the last box shown, or empty.
  std::string LastBoxText() const;

 private:
  BoxAnswer Answer(const MessageBoxRequest& box);

  ProgramState state_;
  HeadlessWindow window_;
  CommandRouter router_;
  std::ostream& output_;
  std::ostream& errors_;
  Confirm confirm_;
};

}  // namespace userdb::cli
