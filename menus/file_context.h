#pragma once
// What the window's file commands work with, and how they tell the user what came of them.

#include <string>
#include <string_view>
#include <vector>

#include "app/program_state.h"
#include "menus/file_dialogs.h"
#include "window/window.h"

namespace userdb::menus {

struct FileContext {
  ProgramState& state;
  Window& window;
  FileDialogs& dialogs;
};

// An owned box captioned with the command's menu item, with a UTF-8 text.
void Tell(FileContext& context, int command, std::string_view text);
BoxAnswer Ask(FileContext& context, int command, std::string_view question);

// Lines for a box: the first few, and how many more there are.
std::string Lines(const std::vector<std::string>& lines);

}  // namespace userdb::menus
