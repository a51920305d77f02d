#pragma once
// Builds a dialog from its template: caption, font, frame, fixed size and every control.

#include <QDialog>
#include <map>

#include "gui/control_factory.h"
#include "window/control_table.h"

namespace userdb {

// The controls the program addresses, by ID; static texts without an ID are left out.
using ControlMap = std::map<int, QWidget*>;

// With a menu bar, the bar takes the top of the dialog and the controls go into a client area
// of the template's size below it, each where the template puts it within that area.
ControlMap BuildFromTemplate(QDialog& dialog, const DialogTemplate& form, TemplateTexts texts,
                             QWidget* menuBar = nullptr);

// nullptr for an ID the dialog does not have.
QWidget* FindControl(const ControlMap& controls, int controlId);

}  // namespace userdb
