#pragma once
// The file types a file dialog offers, taken from the table of formats.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/file_format.h"

namespace userdb::menus {

struct FileKind {
  std::string label;                          // "GPX files"
  std::vector<std::string> patterns;          // "*.gpx"
  std::optional<formats::FileFormat> format;  // none: by the file's extension

  // "GPX files (*.gpx)".
  std::string Described() const;
};

// For opening: every readable point file first, then each readable format.
std::vector<FileKind> KindsToOpen();
// For saving: each writable format, the device's own image first.
std::vector<FileKind> KindsToSave();
// A backup: the device's image only.
std::vector<FileKind> BackupKinds();
// A route to import along: GPX and KML files together, then each.
std::vector<FileKind> RouteKinds();

// The kind's format, else the one the path's extension gives; nothing when neither tells.
std::optional<formats::FileFormat> FormatFor(const FileKind& kind, const std::filesystem::path& path);

}  // namespace userdb::menus
