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
#include "gui/utf8_text.h"

namespace userdb {
namespace {

constexpr int kIconPixels = 32;  // an icon control takes the size of its icon

QString Decoded(const std::string& text, TemplateTexts texts) {
  if (texts == TemplateTexts::Utf8) return FromUtf8(text);
  return FromEightBit(text);
}

Qt::Alignment AlignmentOf(const ControlEntry& entry, Qt::Alignment vertical) {
  const Qt::Alignment horizontal = entry.Has(style::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
  return horizontal | (entry.Has(style::kVerticallyCentred) ? Qt::AlignVCenter : vertical);
}

QWidget* CreateButton(const ControlEntry& entry, QWidget& parent, const QString& text) {
  auto* button = new QPushButton(text, &parent);
  button->setDefault(entry.Has(style::kDefaultButton));
  return button;
}

QWidget* CreateLabel(const ControlEntry& entry, QWidget& parent, const QString& text) {
  auto* label = new QLabel(text, &parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(AlignmentOf(entry, Qt::AlignTop));
  if (entry.Has(style::kSunken)) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return label;
}

QWidget* CreateIcon(QWidget& parent) {
  auto* icon = new QLabel(&parent);
  icon->setPixmap(ProgramIcon().pixmap(kIconPixels, kIconPixels));
  return icon;
}

QWidget* CreateLineEdit(const ControlEntry& entry, QWidget& parent, const QString& text) {
  auto* edit = new QLineEdit(text, &parent);
  edit->setAlignment(AlignmentOf(entry, Qt::AlignVCenter));
  edit->setFrame(entry.Has(style::kBorder));
  if (entry.Has(style::kUpperCase)) edit->setValidator(new UpperCaseValidator(edit));
  return edit;
}

QWidget* CreateMultiLineEdit(const ControlEntry& entry, QWidget& parent, const QString& text) {
  auto* box = new StatusBox(text, &parent);
  box->setHorizontalScrollBarPolicy(entry.Has(style::kHorizontalScroll) ? Qt::ScrollBarAlwaysOn
                                                                        : Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(entry.Has(style::kVerticalScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  box->setLineWrapMode(entry.Has(style::kAutoHorizontalScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  if (!entry.Has(style::kBorder)) box->setFrameStyle(QFrame::NoFrame);
  return box;
}

QWidget* CreateComboBox(const ControlEntry& entry, QWidget& parent) {
  auto* combo = new QComboBox(&parent);
  combo->setEditable(entry.Has(style::kDropDown));
  combo->setInsertPolicy(QComboBox::NoInsert);  // typed text never joins the list
  return combo;
}

QWidget* CreateWidget(const ControlEntry& entry, QWidget& parent, const QString& text) {
  switch (entry.kind) {
    case ControlKind::PushButton:
      return CreateButton(entry, parent, text);
    case ControlKind::CheckBox:
      return new QCheckBox(text, &parent);
    case ControlKind::ComboBox:
      return CreateComboBox(entry, parent);
    case ControlKind::Edit:
      return entry.Has(style::kMultiLine) ? CreateMultiLineEdit(entry, parent, text)
                                          : CreateLineEdit(entry, parent, text);
    case ControlKind::Static:
      return CreateLabel(entry, parent, text);
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

void Place(QWidget& widget, const ControlEntry& entry, QRect rect) {
  if (entry.kind == ControlKind::ComboBox) {
    PlaceComboBox(static_cast<QComboBox&>(widget), rect);
  } else if (entry.kind == ControlKind::Icon) {
    widget.setGeometry(rect.x(), rect.y(), kIconPixels, kIconPixels);
  } else {
    widget.setGeometry(rect);
  }
}

}  // namespace

QWidget* CreateControl(const ControlEntry& entry, QWidget& parent, DialogBaseUnits units, TemplateTexts texts) {
  QWidget* widget = CreateWidget(entry, parent, Decoded(entry.text, texts));
  Place(*widget, entry, ToPixels(entry.rect, units));
  FitCaption(*widget);
  widget->setEnabled(entry.enabledAtStart);
  return widget;
}

}  // namespace userdb
