#include "gui/dialog_font.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <cmath>

#include "gui/utf8_text.h"

namespace userdb {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kFallbackDpi = 96.0;

QStringList FacesFor(const QString& face) {
  QStringList faces{face};
  if (face == QLatin1String("Arial")) faces << QStringLiteral("Liberation Sans") << QStringLiteral("Arimo");
  return faces;
}

double LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : kFallbackDpi;
}

}  // namespace

QFont DialogFont(const DialogTemplate& form) {
  QFont font;
  font.setFamilies(FacesFor(FromUtf8(form.fontFace)));
  font.setPixelSize(static_cast<int>(std::lround(form.fontPointSize * LogicalDpi() / kPointsPerInch)));
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace userdb
