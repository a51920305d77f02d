#pragma once
// The menu bar's keyboard shortcuts while the main window runs as a modal dialog. The dialog
// manager's message loop translates no accelerators, but it offers every message to the
// thread's message filter first (MSGF_DIALOGBOX): the filter translates them.

#include <windows.h>

namespace userdb::win32 {

class DialogShortcuts {
 public:
  // Keys typed into `dialog` or one of its controls become its WM_COMMAND with the table's
  // commands (lParam 0), until this object is destroyed. One at a time on a thread.
  DialogShortcuts(HWND dialog, HACCEL table);
  ~DialogShortcuts();
  DialogShortcuts(const DialogShortcuts&) = delete;
  DialogShortcuts& operator=(const DialogShortcuts&) = delete;

 private:
  static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
  bool Translate(MSG& message) const;

  HWND dialog_;
  HACCEL table_;
  HHOOK hook_;
};

}  // namespace userdb::win32
