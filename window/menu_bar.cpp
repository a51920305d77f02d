#include "window/menu_bar.h"

#include <array>

namespace userdb {
namespace {

constexpr Shortcut Control(char letter) { return Shortcut{true, letter, 0}; }

constexpr std::array kFileItems{
    MenuItem{menu::kImportPoints, "&Import points…", Control('I')},
    MenuItem{menu::kExportPoints, "&Export points…", Control('E')},
    MenuItem{menu::kSaveBackup, "Save &backup…", Control('B')},
    MenuItem{menu::kRestoreBackup, "&Restore backup…", Control('R')},
    MenuItem{menu::kExit, "E&xit", Control('Q')},
};
constexpr std::array kViewItems{MenuItem{menu::kShowOnMap, "Show on &map…", Control('M')}};
constexpr std::array kHelpItems{MenuItem{menu::kAbout, "&About", Shortcut{false, 0, 1}}};

constexpr std::array kMenus{
    Menu{"&File", kFileItems},
    Menu{"&View", kViewItems},
    Menu{"&Help", kHelpItems},
};

}  // namespace

std::string Shortcut::Text() const {
  if (functionKey != 0) return (control ? "Ctrl+F" : "F") + std::to_string(functionKey);
  if (letter == 0) return {};
  return (control ? "Ctrl+" : "") + std::string(1, letter);
}

std::span<const Menu> MenuBar() { return kMenus; }

const MenuItem* MenuItemOf(int command) {
  for (const Menu& each : kMenus) {
    for (const MenuItem& item : each.items) {
      if (item.command == command) return &item;
    }
  }
  return nullptr;
}

std::string WithoutMnemonic(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "&&" is a literal ampersand.
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

}  // namespace userdb
