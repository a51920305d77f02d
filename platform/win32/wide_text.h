#pragma once
// The program's texts as Windows' wide calls take them, and theirs as the program keeps them.

#include <string>
#include <string_view>

namespace userdb::win32 {

// The table keeps plain 8-bit texts in Windows-1252 (the window's own code page), the About
// box's Chinese texts and the file commands' messages in UTF-8; valid UTF-8 is taken as UTF-8,
// anything else as 1252.
std::wstring WideText(std::string_view text);

// What the user typed into a control or on the command line, as the portable layers read
// text: UTF-8.
std::string Utf8Text(std::wstring_view text);

}  // namespace userdb::win32
