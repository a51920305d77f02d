#include "platform/win32/wide_text.h"

#include <windows.h>

namespace userdb::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

std::wstring Converted(UINT codePage, DWORD flags, std::string_view text) {
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), wideLength);
  return wide;
}

}  // namespace

std::wstring WideText(std::string_view text) {
  if (text.empty()) return {};
  std::wstring wide = Converted(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  return wide.empty() ? Converted(kWindows1252, 0, text) : wide;
}

std::string Utf8Text(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  const int narrowLength = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (narrowLength <= 0) return {};
  std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), narrowLength, nullptr, nullptr);
  return narrow;
}

}  // namespace userdb::win32
