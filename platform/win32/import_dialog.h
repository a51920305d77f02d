#pragma once
// The import preview over the main window: the region to import (Near, Radius, or a Route file
// and the Corridor along it), what to do when the points do not all fit, and what the import
// would do, worked out again at every change.

#include "platform/win32/windows_header.h"

#include <filesystem>
#include <optional>

#include "menus/file_dialogs.h"

namespace userdb::win32 {

// The controls a user (and a test) reaches.
namespace import_dialog {
inline constexpr int kNear = 101;
inline constexpr int kRadius = 102;
inline constexpr int kFit = 103;  // entries in the order of formats::CapacityFit
inline constexpr int kSummary = 104;
inline constexpr int kDetails = 105;
inline constexpr int kFile = 106;
inline constexpr int kReplace = 107;  // the list whose points go first
inline constexpr int kRoute = 108;
inline constexpr int kBrowseRoute = 109;  // the system's dialog for a route file
inline constexpr int kCorridor = 110;
inline constexpr int kAttribution = 111;  // empty but for a list whose licence asks for it
}  // namespace import_dialog

// Import is IDOK, Cancel IDCANCEL; nothing for Cancel.
std::optional<menus::ImportSettings> RunImportDialog(HWND owner, const std::filesystem::path& file,
                                                     const menus::ImportSettings& start,
                                                     const menus::PreviewOf& preview);

}  // namespace userdb::win32
