#include "menus/file_kinds.h"

#include <algorithm>

#include "base/path_text.h"

namespace userdb::menus {
namespace {

using formats::FileFormat;
using formats::FormatEntry;

FileKind KindOf(const FormatEntry& entry) {
  std::vector<std::string> patterns{"*" + std::string(formats::FileExtension(entry))};
  // The public camera lists come as ".csv" as often as iGO's ".txt".
  if (entry.format == FileFormat::SpeedCameraCsv) patterns.emplace_back("*.csv");
  return FileKind{std::string(entry.title), std::move(patterns), entry.format};
}

}  // namespace

std::string FileKind::Described() const {
  std::string text = label + " (";
  for (std::size_t i = 0; i < patterns.size(); ++i) text += (i == 0 ? "" : " ") + patterns[i];
  return text + ")";
}

std::vector<FileKind> KindsToOpen() {
  std::vector<FileKind> kinds{FileKind{"All point files", {}, std::nullopt}};
  for (const FormatEntry& entry : formats::FormatTable()) {
    if (!formats::CanRead(entry.format)) continue;
    kinds.push_back(KindOf(entry));
    for (const std::string& pattern : kinds.back().patterns) {
      std::vector<std::string>& all = kinds.front().patterns;
      if (std::find(all.begin(), all.end(), pattern) == all.end()) all.push_back(pattern);
    }
  }
  return kinds;
}

std::vector<FileKind> KindsToSave() {
  std::vector<FileKind> kinds;
  for (const FormatEntry& entry : formats::FormatTable()) {
    if (formats::CanWrite(entry.format)) kinds.push_back(KindOf(entry));
  }
  return kinds;
}

std::vector<FileKind> BackupKinds() { return {KindOf(formats::EntryOf(FileFormat::Image))}; }

// The route reader tells GPX from KML by what the file holds, so the kinds carry no format.
std::vector<FileKind> RouteKinds() {
  std::vector<FileKind> kinds{FileKind{"Route files", {}, std::nullopt}};
  for (const FileFormat format : {FileFormat::Gpx, FileFormat::Kml}) {
    FileKind kind = KindOf(formats::EntryOf(format));
    kinds.front().patterns.push_back(kind.patterns.front());
    kind.format.reset();
    kinds.push_back(std::move(kind));
  }
  return kinds;
}

std::optional<FileFormat> FormatFor(const FileKind& kind, const std::filesystem::path& path) {
  if (kind.format) return kind.format;
  return formats::FormatOfFileName(PathText(path.filename()));
}

}  // namespace userdb::menus
