#include "platform/win32/win32_window.h"

#include <optional>
#include <string>

#include "platform/win32/choice_dialog.h"
#include "platform/win32/wide_text.h"
#include "window/control_ids.h"

namespace userdb {

std::string Win32Window::Text(int controlId, std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  std::string text(bufferSize, '\0');
  const UINT length = GetDlgItemTextA(dialog_, controlId, text.data(), static_cast<int>(bufferSize));
  text.resize(length);
  return text;
}

// The StatusBox is written, never read back, and may name a file the user chose: it shows
// UTF-8 as UTF-8. The other controls keep the device's 8-bit bytes and give them back unchanged.
void Win32Window::SetText(int controlId, std::string_view text) {
  if (controlId == ids::kStatusBox) {
    SetDlgItemTextW(dialog_, controlId, win32::WideText(text).c_str());
  } else {
    SetDlgItemTextA(dialog_, controlId, std::string(text).c_str());
  }
}

// An indeterminate state counts as checked too.
bool Win32Window::IsRowChecked(int row) const {
  return SendMessageA(Control(ids::RowCheck(row)), BM_GETCHECK, 0, 0) != BST_UNCHECKED;
}

void Win32Window::SetRowChecked(int row, bool checked) {
  SendMessageA(Control(ids::RowCheck(row)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Window::Enable(int controlId, bool enabled) { EnableWindow(Control(controlId), enabled ? TRUE : FALSE); }

int Win32Window::PortSelection() const {
  return static_cast<int>(SendMessageA(Control(ids::kPortList), CB_GETCURSEL, 0, 0));
}

void Win32Window::SelectPort(int index) {
  SendMessageA(Control(ids::kPortList), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// A box without owner leaves the main window enabled, so the user can still click it. Its
// texts may name files: wide, they show any name as typed, and the program's own 8-bit texts
// as before.
BoxAnswer Win32Window::ShowMessage(const MessageBoxRequest& box) {
  const HWND owner = box.owner == BoxOwner::MainWindow ? dialog_ : nullptr;
  const std::optional<std::wstring> caption = box.caption ? std::optional(win32::WideText(*box.caption)) : std::nullopt;
  const UINT kind = box.kind == BoxKind::YesNo ? MB_YESNO : box.kind == BoxKind::YesNoCancel ? MB_YESNOCANCEL : MB_OK;
  switch (MessageBoxW(owner, win32::WideText(box.text).c_str(), caption ? caption->c_str() : nullptr, kind)) {
    case IDYES:
      return BoxAnswer::Yes;
    case IDNO:
      return BoxAnswer::No;
    case IDCANCEL:
      return box.kind == BoxKind::YesNoCancel ? BoxAnswer::Cancel : BoxAnswer::Ok;
    default:
      return BoxAnswer::Ok;
  }
}

std::size_t Win32Window::Choose(const ChoiceRequest& request) { return win32::RunChoiceDialog(dialog_, request); }

void Win32Window::Close() { EndDialog(dialog_, IDCANCEL); }

// Paints what changed, the controls included, without taking any input.
void Win32Window::ShowProgress() { RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

}  // namespace userdb
