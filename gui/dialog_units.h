#pragma once
// Dialog units to pixels, from the dialog font's base units as the template's own toolkit
// measures them: a horizontal unit is a quarter of the average character width, a vertical
// unit an eighth of the character height.

#include <QFont>
#include <QRect>

#include "window/control_table.h"

namespace userdb {

struct DialogBaseUnits {
  int averageCharWidth = 0;  // pixels
  int charHeight = 0;        // pixels
};

DialogBaseUnits BaseUnitsOf(const QFont& font);

int HorizontalPixels(int dialogUnits, DialogBaseUnits units);
int VerticalPixels(int dialogUnits, DialogBaseUnits units);
QRect ToPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace userdb
