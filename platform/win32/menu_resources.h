#pragma once
// The main window's menu bar and its keyboard shortcuts as resources: the resource tool writes
// them from window/menu_bar.h, the window loads them. No Windows header, so that the tool,
// built for the build machine, can include it.

#include "window/menu_bar.h"

namespace userdb::win32 {

// A MENU and an ACCELERATORS resource of this one number.
inline constexpr int kMenuBarResourceId = 103;

// A letter's virtual key is its capital; the function keys start at 0x70 (VK_F1).
constexpr int VirtualKeyOf(const Shortcut& shortcut) {
  return shortcut.functionKey != 0 ? 0x70 + shortcut.functionKey - 1 : shortcut.letter;
}

}  // namespace userdb::win32
