#pragma once

#include "window/window.h"

namespace userdb {

// The database counts as loaded once a page has been shown, that is once the PageLabel no
// longer reads the load prompt. When it does, tells the user so and returns false.
bool PassesLoadedTest(Window& window);

// The same test without telling: whether a page has been shown.
bool DatabaseIsShown(const Window& window);

}  // namespace userdb
