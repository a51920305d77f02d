#include "gui/control_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "gui/eight_bit_text.h"

namespace userdb {

std::string ControlText(const QWidget& control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) return ToEightBit(edit->text());
  if (const auto* box = qobject_cast<const QPlainTextEdit*>(&control)) return ToEightBitLines(box->toPlainText());
  if (const auto* label = qobject_cast<const QLabel*>(&control)) return ToEightBit(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return ToEightBit(button->text());
  if (const auto* combo = qobject_cast<const QComboBox*>(&control)) return ToEightBit(combo->currentText());
  return {};
}

void SetControlText(QWidget& control, std::string_view text) {
  if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
    edit->setText(FromEightBit(text));
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(&control)) {
    box->setPlainText(FromEightBitLines(text));
  } else if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(FromEightBit(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(FromEightBit(text));
  } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
    combo->setEditText(FromEightBit(text));
  }
}

}  // namespace userdb
