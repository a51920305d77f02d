#include "platform/win32/dialog_shortcuts.h"

namespace userdb::win32 {
namespace {

const DialogShortcuts* active = nullptr;

}  // namespace

DialogShortcuts::DialogShortcuts(HWND dialog, HACCEL table)
    : dialog_(dialog), table_(table), hook_(SetWindowsHookExW(WH_MSGFILTER, Filter, nullptr, GetCurrentThreadId())) {
  active = this;
}

DialogShortcuts::~DialogShortcuts() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (active == this) active = nullptr;
}

LRESULT CALLBACK DialogShortcuts::Filter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && active != nullptr && active->Translate(*reinterpret_cast<MSG*>(lParam))) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A dialog over the window (a file dialog, a box) runs the same filter: its keys stay its own.
bool DialogShortcuts::Translate(MSG& message) const {
  if (message.hwnd != dialog_ && IsChild(dialog_, message.hwnd) == FALSE) return false;
  return TranslateAcceleratorW(dialog_, table_, &message) != 0;
}

}  // namespace userdb::win32
