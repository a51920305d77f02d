// write_resources DIR: writes DIR/icon_128.ico and DIR/userdb.rc, the resource script that
// gives the Windows programs icon 128 (both sizes), string 101 and the main window's menu bar
// with its keyboard shortcuts.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/win32/menu_resources.h"
#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/menu_bar.h"
#include "window/resources/ico_file.h"
#include "window/resources/icon_128.h"

namespace {

using namespace userdb;

// Inside a resource script's string a quote is doubled and a backslash starts an escape.
std::string ScriptString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\t') {
      quoted += "\\t";
      continue;
    }
    if (c == '"') quoted += '"';
    if (c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// Windows shows what follows a tab right-aligned: the item's shortcut.
std::string ItemLabel(const MenuItem& item) {
  std::string label(item.text);
  if (item.shortcut.Exists()) label += '\t' + item.shortcut.Text();
  return label;
}

void WriteMenuBar(std::ostream& out) {
  out << win32::kMenuBarResourceId << " MENU\nBEGIN\n";
  for (const Menu& menu : MenuBar()) {
    out << "  POPUP " << ScriptString(menu.title) << "\n  BEGIN\n";
    for (const MenuItem& item : menu.items) {
      out << "    MENUITEM " << ScriptString(ItemLabel(item)) << ", " << item.command << '\n';
    }
    out << "  END\n";
  }
  out << "END\n";
}

void WriteShortcuts(std::ostream& out) {
  out << win32::kMenuBarResourceId << " ACCELERATORS\nBEGIN\n";
  for (const Menu& menu : MenuBar()) {
    for (const MenuItem& item : menu.items) {
      if (!item.shortcut.Exists()) continue;
      out << "  " << win32::VirtualKeyOf(item.shortcut) << ", " << item.command << ", VIRTKEY"
          << (item.shortcut.control ? ", CONTROL" : "") << '\n';
    }
  }
  out << "END\n";
}

bool WriteIcon(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = IcoFileBytes(Icon128());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// The table's texts are UTF-8, which the script declares for windres.
bool WriteScript(const std::filesystem::path& path, const std::filesystem::path& icon) {
  std::ofstream out(path);
  out << "#pragma code_page(65001)\n"
      << ids::kAboutIcon << " ICON " << ScriptString(icon.generic_string()) << "\n"
      << "STRINGTABLE\nBEGIN\n  " << kAboutMenuStringId << ' ' << ScriptString(AboutMenuItemText()) << "\nEND\n";
  WriteMenuBar(out);
  WriteShortcuts(out);
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_resources DIR\n";
    return 2;
  }
  const std::filesystem::path directory = std::filesystem::absolute(argv[1]);
  const std::filesystem::path icon = directory / "icon_128.ico";
  if (!WriteIcon(icon) || !WriteScript(directory / "userdb.rc", icon)) {
    std::cerr << "write_resources: cannot write into " << directory << '\n';
    return 1;
  }
  return 0;
}
