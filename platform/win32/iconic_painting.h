#pragma once
// The minimised main window shows its icon centred in its client area.

#include <windows.h>

namespace userdb::win32 {

// Where the icon's top-left corner goes: (client - icon + 1) / 2 on each axis, truncated
// towards zero.
POINT CentredIconOrigin(const RECT& client, int iconWidth, int iconHeight);

// Paints the whole minimised window: its icon background, then the icon.
void PaintIconic(HWND window, HICON icon);

}  // namespace userdb::win32
