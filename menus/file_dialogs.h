#pragma once
// What the window's file commands need of a toolkit beyond the window itself: choosing files,
// the import preview, the list of backups, and the desktop's own program for a file.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/backups.h"
#include "formats/point_merge.h"
#include "menus/file_kinds.h"

namespace userdb::menus {

struct FileChoice {
  std::filesystem::path path;
  std::size_t kind = 0;  // which of the kinds offered the user had chosen
};

// The choices of the import dialog, as the user typed them.
struct ImportSettings {
  std::string near = {};      // "LAT,LON", or empty for no region
  std::string radiusKm = {};  // with near
  formats::CapacityFit fit = formats::CapacityFit::Refuse;
  std::string replace = {};     // a list whose points in the database go first; empty for none
  std::string route = {};       // a route file (GPX, KML): only the points along it; empty for none
  std::string corridorKm = {};  // with route: on either side of it

  bool operator==(const ImportSettings&) const = default;
};

// What an import would do with the settings given, before anything changes.
struct ImportPreview {
  std::string summary;               // the merge's summary line, or why there is none
  std::vector<std::string> details;  // what would be added, left out or changed, one line each
  bool canImport = false;
};

using PreviewOf = std::function<ImportPreview(const ImportSettings&)>;

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  // kinds: the file types to offer, the first chosen at the start. Nothing when cancelled.
  virtual std::optional<FileChoice> ChooseFileToOpen(std::string_view title, std::span<const FileKind> kinds) = 0;
  virtual std::optional<FileChoice> ChooseFileToSave(std::string_view title, std::span<const FileKind> kinds,
                                                     const std::filesystem::path& proposed) = 0;

  // Shows preview(start) and again preview(settings) whenever the user changes a setting; the
  // settings of an accepted import, nothing for Cancel. Import stays unavailable while the
  // preview's canImport is false.
  virtual std::optional<ImportSettings> ConfirmImport(const std::filesystem::path& file, const ImportSettings& start,
                                                      const PreviewOf& preview) = 0;

  // Newest first, as listed; the index chosen, nothing for Cancel.
  virtual std::optional<std::size_t> ChooseBackup(std::span<const BackupEntry> backups) = 0;

  // False when the desktop has no program for the file.
  virtual bool OpenWithDesktop(const std::filesystem::path& file) = 0;
};

}  // namespace userdb::menus
