#include "platform/win32/win32_main_form.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "menus/file_menu.h"
#include "platform/win32/about_box.h"
#include "platform/win32/accessible_controls.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/iconic_painting.h"
#include "platform/win32/menu_resources.h"
#include "platform/win32/system_menu.h"
#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/menu_bar.h"

namespace userdb {

static_assert(IDOK == ids::kLoadDatabase && IDCANCEL == ids::kExit, "the dialog's own commands are buttons 1 and 2");

Win32MainForm::Win32MainForm(ProgramState& state, HINSTANCE resources, menus::FileDialogs* dialogs)
    : state_(state),
      resources_(resources),
      icon_(LoadIconA(resources, MAKEINTRESOURCEA(ids::kAboutIcon))),
      systemDialogs_(window_),
      files_{state, window_, dialogs != nullptr ? *dialogs : systemDialogs_},
      router_(state, window_) {}

// The dialog manager loads the menu bar from the resources and grows the window by its height.
INT_PTR Win32MainForm::Run() {
  static const std::vector<std::uint8_t> form =
      win32::EncodeDialogTemplate(MainFormTemplate(), win32::kMenuBarResourceId);
  return RunModal(resources_, nullptr, form);
}

INT_PTR Win32MainForm::Initialise() {
  const HWND dialog = Dialog();
  window_.Attach(dialog);
  shortcuts_.emplace(dialog, LoadAcceleratorsW(resources_, MAKEINTRESOURCEW(win32::kMenuBarResourceId)));
  win32::AppendAboutItem(dialog, resources_);
  win32::NameControlsForScreenReaders(dialog);
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  FillPortList();
  InitialiseMainForm(state_, window_);
  return TRUE;  // the dialog manager sets the first focus
}

// A dialog procedure returns most answers through DWLP_MSGRESULT; the drag icon is an
// exception and is returned directly. A menu item and a shortcut send no control (lParam 0).
INT_PTR Win32MainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && MenuItemOf(LOWORD(wParam)) != nullptr) {
        MenuCommand(LOWORD(wParam));
      } else {
        Command(LOWORD(wParam), HIWORD(wParam));
      }
      return TRUE;
    case WM_SYSCOMMAND:
      return SystemCommand(wParam) ? TRUE : FALSE;
    case WM_PAINT:
      return Paint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_DESTROY:
      shortcuts_.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

// Entry i carries port number i + 1 as its item data, which nothing reads again.
void Win32MainForm::FillPortList() {
  const HWND portList = GetDlgItem(window_.Handle(), ids::kPortList);
  const std::vector<std::string> entries = PortListEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const LRESULT index = SendMessageA(portList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].c_str()));
    SendMessageA(portList, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i + 1));
  }
}

// Only clicks are commands. The dialog manager sends Enter as a click of the default button,
// button 1, and only while it is enabled.
void Win32MainForm::Command(int controlId, int notification) {
  if (notification != BN_CLICKED) return;
  router_.Click(controlId);  // IDCANCEL (Escape, the close box) is button 2, "Exit "
}

// Help > About is the same box as the system menu's item.
void Win32MainForm::MenuCommand(int command) {
  if (menus::ChooseMenuItem(command, router_, files_)) return;
  if (command == menu::kAbout) win32::RunAboutBox(window_.Handle(), resources_);
}

bool Win32MainForm::SystemCommand(WPARAM command) {
  if (!IsAboutCommand(static_cast<unsigned>(command))) return false;
  win32::RunAboutBox(window_.Handle(), resources_);
  return true;
}

bool Win32MainForm::Paint() {
  if (!IsIconic(window_.Handle())) return false;
  win32::PaintIconic(window_.Handle(), icon_);
  return true;
}

}  // namespace userdb
