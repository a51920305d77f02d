#pragma once
// The command line's window: the headless main window, with message boxes turned into lines
// on stderr and questions into a confirmation callback.

#include <functional>
#include <ostream>
#include <string_view>

#include "app/command_router.h"
#include "device/program_state.h"
#include "platform/headless/headless_window.h"

namespace userdb::cli {

using Confirm = std::function<bool(std::string_view question)>;

struct SessionStreams {
  std::ostream& output;
  std::ostream& errors;
  bool quiet = false;  // the upload's success box is not shown
};

// What the command line adds to the window's state: its backups, its reports and its retries.
struct SessionSetup {
  BackupSink* backups = nullptr;
  LinkEvents* events = nullptr;
  int handshakeTries = 1;
};

class CliSession {
 public:
  // portNumber: the COM number the PortList selects before any command runs.
  // The scan's verdict boxes ("API-return") are the command's result and go to output; every
  // other box reports a problem or an outcome and goes to errors.
  CliSession(SerialPort& port, int portNumber, const SessionStreams& streams, Confirm confirm,
             const SessionSetup& setup = {});
  // The router and the state refer to each other's members.
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  ProgramState& State() { return state_; }
  HeadlessWindow& MainWindow() { return window_; }
  CommandRouter& Router() { return router_; }

 private:
  BoxAnswer Answer(const MessageBoxRequest& box);

  ProgramState state_;
  HeadlessWindow window_;
  CommandRouter router_;
  SessionStreams streams_;
  Confirm confirm_;
};

}  // namespace userdb::cli
