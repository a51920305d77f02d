#pragma once
// The About item at the end of the main window's system menu.

#include <windows.h>

namespace userdb::win32 {

// Appends a separator and item 0x10 with string 101 as its text. A window without system
// menu, or an empty string 101, gets neither.
void AppendAboutItem(HWND window, HINSTANCE resources);

}  // namespace userdb::win32
