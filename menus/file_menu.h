#pragma once
// The File and View menus' commands, run one at a time with the window's buttons.

#include "app/command_router.h"
#include "menus/file_context.h"

namespace userdb::menus {

// Runs the command of a menu item through the router; false for an item these menus do not
// run (Help > About is the front-end's own box).
bool ChooseMenuItem(int command, CommandRouter& router, FileContext& context);

}  // namespace userdb::menus
