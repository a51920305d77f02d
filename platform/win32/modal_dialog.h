#pragma once
// A modal dialog from a template in memory whose messages go to an object: the main window and
// the dialogs of the file commands derive from it.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace userdb::win32 {

class ModalDialog {
 public:
  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

 protected:
  // Returns when the dialog has ended, with its result. instance: where the template's
  // resources (icons, menu) are found.
  INT_PTR RunModal(HINSTANCE instance, HWND owner, const std::vector<std::uint8_t>& dialogTemplate);
  // Over a window, with the resources of the window's module: true when it ended with IDOK.
  bool AcceptedOver(HWND owner, const std::vector<std::uint8_t>& dialogTemplate);

  // The live dialog, from WM_INITDIALOG on.
  HWND Dialog() const { return dialog_; }

 private:
  // WM_INITDIALOG; TRUE lets the dialog manager set the first focus.
  virtual INT_PTR Initialise() = 0;
  // Every later message, answered as a dialog procedure answers.
  virtual INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  HWND dialog_ = nullptr;
};

}  // namespace userdb::win32
