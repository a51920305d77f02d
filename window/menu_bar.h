#pragma once
// The main window's menu bar as data: both windows build their menus and keyboard shortcuts
// from this one table.

#include <span>
#include <string>
#include <string_view>

namespace userdb {

namespace menu {
// Command numbers far from the controls' IDs and from the system menu's.
inline constexpr int kImportPoints = 40001;
inline constexpr int kExportPoints = 40002;
inline constexpr int kSaveBackup = 40003;
inline constexpr int kRestoreBackup = 40004;
inline constexpr int kExit = 40005;
inline constexpr int kShowOnMap = 40101;
inline constexpr int kAbout = 40201;
}  // namespace menu

struct Shortcut {
  bool control = false;
  char letter = 0;      // 'A' to 'Z'; 0 for a function key
  int functionKey = 0;  // 1 for F1; 0 for a letter

  bool Exists() const { return letter != 0 || functionKey != 0; }
  // "Ctrl+I", "F1": as menus show it, and as Qt reads a key sequence.
  std::string Text() const;
};

struct MenuItem {
  int command = 0;
  std::string_view text;  // UTF-8; '&' before the mnemonic letter
  Shortcut shortcut;
};

struct Menu {
  std::string_view title;  // '&' before the mnemonic letter
  std::span<const MenuItem> items;
};

std::span<const Menu> MenuBar();

// The item of a command; nullptr for a number no item has.
const MenuItem* MenuItemOf(int command);

// The text without its mnemonic mark: "Import points…".
std::string WithoutMnemonic(std::string_view text);

}  // namespace userdb
