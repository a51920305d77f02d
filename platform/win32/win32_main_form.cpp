#include "platform/win32/win32_main_form.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/win32/about_box.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/iconic_painting.h"
#include "platform/win32/system_menu.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb {

static_assert(IDOK == ids::kLoadDatabase && IDCANCEL == ids::kExit, "the dialog's own commands are buttons 1 and 2");

Win32MainForm::Win32MainForm(ProgramState& state, HINSTANCE resources)
    : state_(state),
      resources_(resources),
      icon_(LoadIconA(resources, MAKEINTRESOURCEA(ids::kAboutIcon))),
      router_(state, window_) {}

INT_PTR Win32MainForm::Run() {
  static const std::vector<std::uint8_t> form = win32::EncodeDialogTemplate(MainFormTemplate());
  return DialogBoxIndirectParamW(resources_, reinterpret_cast<LPCDLGTEMPLATEW>(form.data()), nullptr, Procedure,
                                 reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Win32MainForm::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* form = reinterpret_cast<Win32MainForm*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    form->Initialise(dialog);
    return TRUE;  // the dialog manager sets the first focus
  }
  auto* form = reinterpret_cast<Win32MainForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return form == nullptr ? FALSE : form->Handle(message, wParam, lParam);
}

// A dialog procedure returns most answers through DWLP_MSGRESULT; the drag icon is an
// exception and is returned directly.
INT_PTR Win32MainForm::Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND:
      return SystemCommand(wParam) ? TRUE : FALSE;
    case WM_PAINT:
      return Paint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    default:
      return FALSE;
  }
}

void Win32MainForm::Initialise(HWND dialog) {
  window_.Attach(dialog);
  win32::AppendAboutItem(dialog, resources_);
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  FillPortList();
  InitialiseMainForm(state_, window_);
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
