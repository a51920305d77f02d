#pragma once
// The main window's controls as a screen reader hears them: the names and descriptions of
// window/accessible_names.h, through the system's accessibility interface (MSAA).

#include <windows.h>

namespace userdb::win32 {

// Each control of the dialog that has a name or a description of its own answers the system's
// question for its accessible object (WM_GETOBJECT) with them; a control without a name of its
// own (a label, a button) keeps its text as name, read when asked, so it follows the text.
void NameControlsForScreenReaders(HWND dialog);

}  // namespace userdb::win32
