#pragma once
// A caption wider than its control is set in a narrower version of the control's font, down
// to a limit, so that the template's fixed widths cut no caption.

#include <QWidget>

namespace userdb {

// Narrows the font of a push button, check box or static text whose caption does not fit.
void FitCaption(QWidget& control);

}  // namespace userdb
