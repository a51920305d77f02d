#pragma once
// A question answered by buttons that say what each choice does: the window's choice box.

#include <windows.h>

#include <cstddef>

#include "window/window.h"

namespace userdb::win32 {

namespace choice_dialog {
inline constexpr int kText = 101;
inline constexpr int kFirstChoice = 110;  // the buttons' IDs follow the choices' order
}  // namespace choice_dialog

// The first choice is the default; Escape and the close box answer the last.
std::size_t RunChoiceDialog(HWND owner, const ChoiceRequest& request);

}  // namespace userdb::win32
