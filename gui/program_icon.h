#pragma once
// Icon 128, the program's only icon, in both of its sizes: window, task bar and About box.

#include <QIcon>

namespace userdb {

QIcon ProgramIcon();

}  // namespace userdb
