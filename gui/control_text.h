#pragma once
// A control's text as the program reads and writes it: 8-bit, with "\r\n" line breaks in a
// multi-line edit, whatever kind of Qt widget carries the control.

#include <QWidget>
#include <string>
#include <string_view>

namespace userdb {

std::string ControlText(const QWidget& control);
void SetControlText(QWidget& control, std::string_view text);

}  // namespace userdb
