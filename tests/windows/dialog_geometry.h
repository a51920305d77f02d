#pragma once
// Where the dialog manager put the controls of a template.

#include <windows.h>

#include <vector>

#include "window/control_table.h"

namespace userdb::test {

// Where a rectangle in dialog units lies in the dialog's client area, in pixels. The dialog
// manager converts position and size each on its own, so the right edge is not mapped.
RECT DialogPixels(HWND dialog, const DialogRect& units);

std::vector<HWND> ChildrenOf(HWND dialog);

// The dialog's children are the table's controls in order, each with its ID and enabled state
// at its template rectangle in the client area.
void ExpectPlacedAsTheTable(HWND dialog, const DialogTemplate& table);

}  // namespace userdb::test
