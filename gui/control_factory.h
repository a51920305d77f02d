#pragma once
// One Qt widget for each entry of a control table, styled and placed as the entry says.

#include <QWidget>

#include "gui/dialog_units.h"
#include "window/control_table.h"

namespace userdb {

// How a template stores its texts: the main window's are the program's 8-bit texts, the
// About box's are UTF-8.
enum class TemplateTexts { EightBit, Utf8 };

QWidget* CreateControl(const ControlEntry& entry, QWidget& parent, DialogBaseUnits units, TemplateTexts texts);

}  // namespace userdb
