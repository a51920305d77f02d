#pragma once
// The real message boxes. A box owned by the main window is modal to it; a box without owner
// leaves the window usable while it waits, as the program's boxes without owner do (the
// command router refuses a second command meanwhile).

#include <QMessageBox>
#include <memory>

#include "window/window.h"

namespace userdb {

// The box as it will show: owner, caption (none: the application's name), text and buttons,
// Yes the default of a Yes/No box.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request, QWidget* owner);

// Shows the box and waits for its answer.
BoxAnswer RunMessageBox(const MessageBoxRequest& request, QWidget& mainWindow);

}  // namespace userdb
