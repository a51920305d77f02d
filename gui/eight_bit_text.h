#pragma once
// The program's texts are 8-bit: each byte is shown as the character with the same code
// (Latin-1), so every byte a control holds comes back unchanged.

#include <QString>
#include <string>
#include <string_view>

namespace userdb {

QString FromEightBit(std::string_view bytes);

// Characters beyond U+00FF have no byte: they come back as '?', as an 8-bit control gives them.
std::string ToEightBit(const QString& text);

// The program breaks lines with "\r\n"; Qt's multi-line texts break them with "\n".
QString FromEightBitLines(std::string_view bytes);
std::string ToEightBitLines(const QString& text);

}  // namespace userdb
