#pragma once
// The system's dialogs that choose a file to open or a file name to save to, offering the
// file kinds as the type filter.

#include "platform/win32/windows_header.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "menus/file_dialogs.h"

namespace userdb::win32 {

enum class FileNameUse { Open, Save };

// proposed: the folder and name the dialog starts with; empty for none.
std::optional<menus::FileChoice> ChooseFileName(HWND owner, FileNameUse use, std::string_view title,
                                                std::span<const menus::FileKind> kinds,
                                                const std::filesystem::path& proposed);

// The lpstrFilter of the kinds: "GPX files (*.gpx)\0*.gpx\0...\0\0" (a kind without a pattern
// offers every file).
std::wstring FilterOf(std::span<const menus::FileKind> kinds);

}  // namespace userdb::win32
