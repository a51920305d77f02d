#pragma once
// File names as the program's texts carry them: UTF-8. On Windows a path built from a plain
// string goes through the C library's narrow encoding, which cannot hold every name the user
// can give; through UTF-8 Greek, Polish or Chinese names stay whole. On POSIX systems both
// directions hand the bytes over as they are.

#include <filesystem>
#include <string>
#include <string_view>

namespace userdb {

inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// text: UTF-8, as PathText gives it and as the Windows front-ends pass on what the user typed.
inline std::filesystem::path PathOfText(std::string_view text) {
  const std::u8string utf8(text.begin(), text.end());
#ifdef _WIN32
  // Bytes that are not UTF-8 (a damaged record) name the file the narrow encoding makes of
  // them, rather than end the program.
  try {
    return std::filesystem::path(utf8);
  } catch (const std::filesystem::filesystem_error&) {
    return std::filesystem::path(std::string(text));
  }
#else
  return std::filesystem::path(utf8);
#endif
}

}  // namespace userdb
