#include "gui/upper_case_validator.h"

namespace userdb {
namespace {

constexpr char16_t kLastEightBitCode = 0xFF;

}  // namespace

QString EightBitUpperCase(const QString& text) {
  QString upper = text;
  for (QChar& character : upper) {
    const QChar capital = character.toUpper();
    if (capital.unicode() <= kLastEightBitCode) character = capital;
  }
  return upper;
}

QValidator::State UpperCaseValidator::validate(QString& input, int& /*position*/) const {
  input = EightBitUpperCase(input);
  return Acceptable;
}

}  // namespace userdb
