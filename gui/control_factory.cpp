#include "gui/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "gui/caption_fit.h"
#include "gui/eight_bit_text.h"
#include "gui/program_icon.h"
#include "gui/status_box.h"
#include "gui/upper_case_validator.h"

namespace userdb {
namespace {

constexpr int kIconPixels = 32;  // an icon control takes the size of its icon

QString Decoded(const std::string& text, TemplateTexts texts) {
  if (texts == TemplateTexts::Utf8) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return FromEightBit(text);
}

Qt::Alignment AlignmentOf(const ControlSpec& spec, Qt::Alignment vertical) {
  const Qt::Alignment horizontal = spec.Has(style::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
  return horizontal | (spec.Has(style::kVerticallyCentred) ? Qt::AlignVCenter : vertical);
}

QWidget* CreateButton(const ControlSpec& spec, QWidget& parent, const QString& text) {
  auto* button = new QPushButton(text, &parent);
  button->setDefault(spec.Has(style::kDefaultButton));
  return button;
}

QWidget* CreateLabel(const ControlSpec& spec, QWidget& parent, const QString& text) {
  auto* label = new QLabel(text, &parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(AlignmentOf(spec, Qt::AlignTop));
  if (spec.Has(style::kSunken)) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return label;
}

QWidget* CreateIcon(QWidget& parent) {
  auto* icon = new QLabel(&parent);
  icon->setPixmap(ProgramIcon().pixmap(kIconPixels, kIconPixels));
  return icon;
}

QWidget* CreateLineEdit(const ControlSpec& spec, QWidget& parent, const QString& text) {
  auto* edit = new QLineEdit(text, &parent);
  edit->setAlignment(AlignmentOf(spec, Qt::AlignVCenter));
  edit->setFrame(spec.Has(style::kBorder));
  if (spec.Has(style::kUpperCase)) edit->setValidator(new UpperCaseValidator(edit));
  return edit;
}

QWidget* CreateMultiLineEdit(const ControlSpec& spec, QWidget& parent, const QString& text) {
  auto* box = new StatusBox(text, &parent);
  box->setHorizontalScrollBarPolicy(spec.Has(style::kHorizontalScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(spec.Has(style::kVerticalScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->setLineWrapMode(spec.Has(style::kAutoHorizontalScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  if (!spec.Has(style::kBorder)) box->setFrameStyle(QFrame::NoFrame);
  return box;
}

QWidget* CreateComboBox(const ControlSpec& spec, QWidget& parent) {
  auto* combo = new QComboBox(&parent);
  combo->setEditable(spec.Has(style::kDropDown));
  combo->setInsertPolicy(QComboBox::NoInsert);  // typed text never joins the list
  return combo;
}

QWidget* CreateWidget(const ControlSpec& spec, QWidget& parent, const QString& text) {
  switch (spec.kind) {
    case ControlKind::PushButton:
      return CreateButton(spec, parent, text);
    case ControlKind::CheckBox:
      return new QCheckBox(text, &parent);
    case ControlKind::ComboBox:
      return CreateComboBox(spec, parent);
    case ControlKind::Edit:
      return spec.Has(style::kMultiLine) ? CreateMultiLineEdit(spec, parent, text) : CreateLineEdit(spec, parent, text);
    case ControlKind::Static:
      return CreateLabel(spec, parent, text);
    case ControlKind::Icon:
      return CreateIcon(parent);
  }
  return nullptr;
}

// A combo box's rectangle includes its dropped-down list: the closed box keeps its own height
// and shows as many entries as the list's height holds.
void PlaceComboBox(QComboBox& combo, QRect rect) {
  const int closedHeight = combo.sizeHint().height();
  const int entryHeight = combo.fontMetrics().height() + 2;
  combo.setMaxVisibleItems(std::max(1, (rect.height() - closedHeight) / entryHeight));
  combo.setGeometry(rect.x(), rect.y(), rect.width(), closedHeight);
}

void Place(QWidget& widget, const ControlSpec& spec, QRect rect) {
  if (spec.kind == ControlKind::ComboBox) {
    PlaceComboBox(static_cast<QComboBox&>(widget), rect);
  } else if (spec.kind == ControlKind::Icon) {
    widget.setGeometry(rect.x(), rect.y(), kIconPixels, kIconPixels);
  } else {
    widget.setGeometry(rect);
  }
}

}  // namespace

QWidget* CreateControl(const ControlSpec& spec, QWidget& parent, DialogBaseUnits units, TemplateTexts texts) {
  QWidget* widget = CreateWidget(spec, parent, Decoded(spec.text, texts));
  Place(*widget, spec, ToPixels(spec.rect, units));
  FitCaption(*widget);
  widget->setEnabled(spec.enabledAtStart);
  return widget;
}

}  // namespace userdb
