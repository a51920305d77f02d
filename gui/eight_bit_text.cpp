#include "gui/eight_bit_text.h"

namespace userdb {

QString FromEightBit(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToEightBit(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromEightBitLines(std::string_view bytes) {
  return FromEightBit(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string ToEightBitLines(const QString& text) {
  return ToEightBit(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

}  // namespace userdb
