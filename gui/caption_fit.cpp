#include "gui/caption_fit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <optional>

namespace userdb {
namespace {

constexpr int kNarrowestStretch = 80;  // percent of the normal width
constexpr int kNormalStretch = 100;

// The width a caption may take inside its control, or none for a control without caption.
std::optional<int> CaptionRoom(const QWidget& control) {
  const QStyle& style = *control.style();
  if (qobject_cast<const QPushButton*>(&control)) {
    const int margins = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &control) +
                        2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &control);
    return control.width() - margins;
  }
  if (qobject_cast<const QCheckBox*>(&control)) {
    return control.width() - style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &control) -
           style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &control);
  }
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    if (label->text().isEmpty()) return std::nullopt;
    return control.width() - 2 * label->frameWidth();
  }
  return std::nullopt;
}

QString CaptionOf(const QWidget& control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  return qobject_cast<const QLabel*>(&control)->text();
}

}  // namespace

void FitCaption(QWidget& control) {
  const std::optional<int> room = CaptionRoom(control);
  if (!room) return;
  QFont font = control.font();
  for (int stretch = kNormalStretch; stretch >= kNarrowestStretch; --stretch) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(CaptionOf(control)) <= *room) break;
  }
  if (font.stretch() != kNormalStretch) control.setFont(font);
}

}  // namespace userdb
