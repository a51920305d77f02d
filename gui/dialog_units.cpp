#include "gui/dialog_units.h"

#include <QFontMetrics>

namespace userdb {
namespace {

// The average width is taken over the 52 letters and rounded, as the template's toolkit does.
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// value * numerator / denominator, rounded half away from zero, for non-negative values.
int ScaleRounded(int value, int numerator, int denominator) {
  return (value * numerator * 2 + denominator) / (denominator * 2);
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int lettersWidth = metrics.horizontalAdvance(QString::fromLatin1(kLetters));
  return {(lettersWidth / 26 + 1) / 2, metrics.height()};
}

int HorizontalPixels(int dialogUnits, DialogBaseUnits units) {
  return ScaleRounded(dialogUnits, units.averageCharWidth, 4);
}

int VerticalPixels(int dialogUnits, DialogBaseUnits units) { return ScaleRounded(dialogUnits, units.charHeight, 8); }

QRect ToPixels(const DialogRect& rect, DialogBaseUnits units) {
  return QRect(HorizontalPixels(rect.x, units), VerticalPixels(rect.y, units), HorizontalPixels(rect.width, units),
               VerticalPixels(rect.height, units));
}

}  // namespace userdb
