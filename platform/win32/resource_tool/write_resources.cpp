// write_resources DIR: writes DIR/icon_128.ico and DIR/userdb.rc, the resource script that
// gives the Windows programs icon 128 (both sizes) and string 101.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/resources/ico_file.h"
#include "window/resources/icon_128.h"

namespace {

using namespace userdb;

// Inside a resource script's string a quote is doubled and a backslash starts an escape.
std::string ScriptString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    if (c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
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
