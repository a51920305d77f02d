#include "app/command_router.h"

#include "app/connect_command.h"
#include "app/download_command.h"
#include "app/loaded_test.h"
#include "app/page_commands.h"
#include "app/port_scan_command.h"
#include "app/unfinished_write_command.h"
#include "app/upload_command.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

void CommandRouter::Click(int controlId) {
  Run([this, controlId] { Route(controlId); });
}

void CommandRouter::Run(const std::function<void()>& command) {
  if (busy_) return;
  BusyScope scope(busy_);
  command();
}

void CommandRouter::CancelCommand() { Click(ids::kExit); }

void CommandRouter::Route(int controlId) {
  switch (controlId) {
    case ids::kExit:
      window_.Close();
      return;
    case ids::kOpenPort:
      if (ConnectCommand(state_, window_)) CheckUnfinishedWrite(state_, window_);
      return;
    case ids::kAutoOpenPort:
      if (PortScan(state_, window_)) CheckUnfinishedWrite(state_, window_);
      return;
    case ids::kLoadDatabase:
      DownloadDatabase(state_, window_);
      return;
    case ids::kNextPage:
    case ids::kPreviousPage:
    case ids::kSavePage:
    case ids::kClearData:
    case ids::kExitAndWrite:
      RouteLoadedCommand(controlId);
      return;
    default:
      return;  // not a button: nothing to run
  }
}

void CommandRouter::RouteLoadedCommand(int controlId) {
  if (!PassesLoadedTest(state_, window_)) return;
  UserDatabase& database = state_.database;
  switch (controlId) {
    case ids::kNextPage:
      NextPage(database, state_.page, state_.shown, window_);
      return;
    case ids::kPreviousPage:
      PreviousPage(database, state_.page, state_.shown, window_);
      return;
    case ids::kSavePage:
      SavePage(database, state_.page.current, state_.shown, window_);
      return;
    case ids::kClearData:
      ClearMarkedRows(window_);
      return;
    case ids::kExitAndWrite:
      ExitAndWrite(state_, window_);
      return;
    default:
      return;
  }
}

}  // namespace userdb
