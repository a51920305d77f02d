#pragma once
// Turns letters into capitals as they are typed, for the row fields the page check reads in
// capitals only ("E", "W", "NULL"). A letter whose capital has no 8-bit code keeps its case.

#include <QValidator>

namespace userdb {

QString EightBitUpperCase(const QString& text);

class UpperCaseValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace userdb
