#include "platform/win32/file_name_dialog.h"

#include <commdlg.h>

#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

// Long paths fit: the dialog writes at most this many characters.
constexpr std::size_t kPathCharacters = 32768;

std::wstring PatternsOf(const menus::FileKind& kind) {
  if (kind.patterns.empty()) return L"*.*";
  std::wstring patterns;
  for (const std::string& pattern : kind.patterns) patterns += (patterns.empty() ? L"" : L";") + WideText(pattern);
  return patterns;
}

DWORD FlagsFor(FileNameUse use) {
  const DWORD common = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return common | (use == FileNameUse::Open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
}

}  // namespace

std::wstring FilterOf(std::span<const menus::FileKind> kinds) {
  std::wstring filter;
  for (const menus::FileKind& kind : kinds) {
    filter += WideText(kind.Described()) + L'\0' + PatternsOf(kind) + L'\0';
  }
  return filter + L'\0';
}

std::optional<menus::FileChoice> ChooseFileName(HWND owner, FileNameUse use, std::string_view title,
                                                std::span<const menus::FileKind> kinds,
                                                const std::filesystem::path& proposed) {
  const std::wstring filter = FilterOf(kinds);
  const std::wstring caption = WideText(title);
  const std::wstring folder = proposed.parent_path().wstring();
  std::wstring file = proposed.filename().wstring();
  file.resize(kPathCharacters, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = caption.c_str();
  dialog.Flags = FlagsFor(use);
  const BOOL chosen = use == FileNameUse::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (chosen == FALSE) return std::nullopt;
  // nFilterIndex counts from 1.
  const std::size_t kind = dialog.nFilterIndex > 0 ? dialog.nFilterIndex - 1 : 0;
  return menus::FileChoice{std::filesystem::path(file.c_str()), kind < kinds.size() ? kind : 0};
}

}  // namespace userdb::win32
