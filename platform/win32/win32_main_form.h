#pragma once
// The main window on Win32: a modal dialog built from template 102, its buttons routed to the
// program's commands, the About item in its system menu and its icon while minimised.

#include <windows.h>

#include "app/command_router.h"
#include "app/program_state.h"
#include "platform/win32/win32_window.h"

namespace userdb {

class Win32MainForm {
 public:
  // resources: the module that holds icon 128 and string 101.
  Win32MainForm(ProgramState& state, HINSTANCE resources);
  Win32MainForm(const Win32MainForm&) = delete;
  Win32MainForm& operator=(const Win32MainForm&) = delete;

  // Shows the window and returns when it has closed, with the dialog's result.
  INT_PTR Run();

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise(HWND dialog);
  void FillPortList();
  void Command(int controlId, int notification);
  bool SystemCommand(WPARAM command);
  bool Paint();

  ProgramState& state_;
  HINSTANCE resources_;
  HICON icon_;
  Win32Window window_;
  CommandRouter router_;
};

}  // namespace userdb
