#pragma once
// The main window on Win32: a modal dialog built from template 102 with the menu bar, its
// buttons and menu items routed to the program's commands, the About item in its system menu,
// names for screen readers and its icon while minimised.

#include "platform/win32/windows_header.h"

#include <optional>

#include "app/command_router.h"
#include "app/program_state.h"
#include "menus/file_context.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/dialog_shortcuts.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_window.h"

namespace userdb {

class Win32MainForm final : private win32::ModalDialog {
 public:
  // resources: the module that holds icon 128, string 101 and the menu bar. dialogs: the file
  // commands' dialogs, none for the system's.
  Win32MainForm(ProgramState& state, HINSTANCE resources, menus::FileDialogs* dialogs = nullptr);

  // Shows the window and returns when it has closed, with the dialog's result.
  INT_PTR Run();

 private:
  INT_PTR Initialise() override;
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FillPortList();
  void Command(int controlId, int notification);
  void MenuCommand(int command);
  bool SystemCommand(WPARAM command);
  bool Paint();

  ProgramState& state_;
  HINSTANCE resources_;
  HICON icon_;
  win32::ComApartment com_;
  Win32Window window_;
  Win32FileDialogs systemDialogs_;
  menus::FileContext files_;
  CommandRouter router_;
  std::optional<win32::DialogShortcuts> shortcuts_;
};

}  // namespace userdb
