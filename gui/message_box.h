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

// A box modal to the main window whose buttons say the choices, the first the default and the
// last what Escape and the close box answer.
std::unique_ptr<QMessageBox> MakeChoiceBox(const ChoiceRequest& request, QWidget& mainWindow);

// Shows the choice box and waits for the index chosen.
std::size_t RunChoiceBox(const ChoiceRequest& request, QWidget& mainWindow);

}  // namespace userdb
