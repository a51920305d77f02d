#pragma once
// Routes each button of the main window to its command, one command at a time.

#include <functional>

#include "app/program_state.h"
#include "window/window.h"

namespace userdb {

class CommandRouter {
 public:
  CommandRouter(ProgramState& state, Window& window) : state_(state), window_(window) {}

  // A button's click notification. Ignored while another command runs, also while one of
  // its message boxes is open and the window can still be clicked.
  void Click(int controlId);

  // Escape, the close box and Close in the system menu: the same as "Exit ".
  void CancelCommand();

  // A command of the window's menus, under the same rule: one command at a time.
  void Run(const std::function<void()>& command);

  bool Busy() const { return busy_; }

 private:
  void Route(int controlId);
  void RouteLoadedCommand(int controlId);

  ProgramState& state_;
  Window& window_;
  bool busy_ = false;
};

}  // namespace userdb
