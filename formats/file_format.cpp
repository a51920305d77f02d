#include "formats/file_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace userdb::formats {
namespace {

constexpr std::array<std::pair<FileFormat, std::string_view>, 5> kNames = {{
    {FileFormat::Image, "bin"},
    {FileFormat::Csv, "csv"},
    {FileFormat::Gpx, "gpx"},
    {FileFormat::Kml, "kml"},
    {FileFormat::SpeedCameraCsv, "speedcam"},
}};

}  // namespace

std::optional<FileFormat> FormatNamed(std::string_view name) {
  for (const auto& [format, formatName] : kNames) {
    if (formatName == name) return format;
  }
  return std::nullopt;
}

std::string_view FormatName(FileFormat format) {
  for (const auto& [known, name] : kNames) {
    if (known == format) return name;
  }
  return {};
}

std::optional<FileFormat> FormatOfExtension(std::string_view extension) {
  if (!extension.starts_with('.')) return std::nullopt;
  std::string lower(extension.substr(1));
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::optional<FileFormat> format = FormatNamed(lower);
  if (format == FileFormat::SpeedCameraCsv) return std::nullopt;  // a name, not an extension
  return format;
}

bool Built([[maybe_unused]] FileFormat format) {
#if USERDB_XML_FORMATS
  return true;
#else
  return format != FileFormat::Gpx && format != FileFormat::Kml;
#endif
}

bool CanRead(FileFormat format) { return format != FileFormat::Kml; }

bool CanWrite(FileFormat format) { return format != FileFormat::SpeedCameraCsv; }

}  // namespace userdb::formats
