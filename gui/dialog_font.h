#pragma once
// The font a dialog template names, sized in whole pixels for the screen's logical resolution.
// Where the face is not installed, a metric-compatible face takes its place (Liberation Sans
// for Arial), so the template's layout still fits its texts.

#include <QFont>

#include "window/control_table.h"

namespace userdb {

QFont DialogFont(const DialogTemplate& form);

}  // namespace userdb
