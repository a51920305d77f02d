#pragma once
// The About box (template 100): icon 128, the version line and an OK button that closes it.

#include <windows.h>

namespace userdb::win32 {

// Runs the box modally over its owner until it is closed.
void RunAboutBox(HWND owner, HINSTANCE resources);

}  // namespace userdb::win32
