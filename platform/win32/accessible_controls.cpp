#include "platform/win32/accessible_controls.h"

#include <oleacc.h>

#include <optional>
#include <string>

#include "platform/win32/named_accessible.h"
#include "platform/win32/wide_text.h"
#include "window/accessible_names.h"

namespace userdb::win32 {
namespace {

// The control's own window procedure, kept beside the control while ours stands before it.
constexpr wchar_t kOwnProcedure[] = L"userdb.ownProcedure";

std::optional<std::wstring> Wide(const std::optional<std::string>& text) {
  return text ? std::optional(WideText(*text)) : std::nullopt;
}

bool HasOwnWords(int id) { return AccessibleName(id) || AccessibleDescription(id); }

LRESULT AccessibleObjectOf(HWND control, WPARAM wParam) {
  const int id = GetDlgCtrlID(control);
  if (!HasOwnWords(id)) return 0;
  IAccessible* object = NewNamedAccessible(control, Wide(AccessibleName(id)), Wide(AccessibleDescription(id)));
  if (object == nullptr) return 0;
  const LRESULT result = LresultFromObject(AccessibleInterface(), wParam, object);
  object->Release();
  return result < 0 ? 0 : result;  // a failure is an HRESULT; 0 lets the system answer
}

LRESULT CALLBACK NamedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropW(control, kOwnProcedure));
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (const LRESULT answer = AccessibleObjectOf(control, wParam); answer != 0) return answer;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    RemovePropW(control, kOwnProcedure);
  }
  return CallWindowProcW(own, control, message, wParam, lParam);
}

void AnswerForScreenReaders(HWND control) {
  const LONG_PTR own = GetWindowLongPtrW(control, GWLP_WNDPROC);
  SetPropW(control, kOwnProcedure, reinterpret_cast<HANDLE>(own));
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NamedControlProcedure));
}

}  // namespace

void NameControlsForScreenReaders(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HasOwnWords(GetDlgCtrlID(child))) AnswerForScreenReaders(child);
  }
}

}  // namespace userdb::win32
