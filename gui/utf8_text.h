#pragma once
// The program's UTF-8 texts (tables, file names, the file commands' messages) as Qt's.

#include <QString>
#include <string_view>

namespace userdb {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace userdb
