#pragma once
// The main window's operations on a live Win32 dialog: every control is reached by its ID.

#include <windows.h>

#include "window/window.h"

namespace userdb {

class Win32Window final : public Window {
 public:
  // The dialog exists only once its controls are created; until Attach, nothing may be called.
  void Attach(HWND dialog) { dialog_ = dialog; }
  HWND Handle() const { return dialog_; }

  std::string Text(int controlId, std::size_t bufferSize) const override;
  void SetText(int controlId, std::string_view text) override;
  bool IsRowChecked(int row) const override;
  void SetRowChecked(int row, bool checked) override;
  void Enable(int controlId, bool enabled) override;
  int PortSelection() const override;
  void SelectPort(int index) override;
  BoxAnswer ShowMessage(const MessageBoxRequest& box) override;
  std::size_t Choose(const ChoiceRequest& request) override;
  void Close() override;
  void ShowProgress() override;

 private:
  HWND Control(int controlId) const { return GetDlgItem(dialog_, controlId); }

  HWND dialog_ = nullptr;
};

}  // namespace userdb
