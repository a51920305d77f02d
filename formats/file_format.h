#pragma once
// The kinds of file that hold a user database, chosen by a file's extension or by name.

#include <optional>
#include <string_view>

namespace userdb::formats {

enum class FileFormat { Image, Csv, Gpx, Kml, SpeedCameraCsv };

// "bin", "csv", "gpx", "kml" or "speedcam".
std::optional<FileFormat> FormatNamed(std::string_view name);
std::string_view FormatName(FileFormat format);

// By the extension, case ignored: ".bin", ".csv", ".gpx", ".kml". Both CSV dialects share
// ".csv"; this gives our own, and a reader tells a speed-camera list by its header.
std::optional<FileFormat> FormatOfExtension(std::string_view extension);

// Whether this build has the format: GPX and KML need pugixml.
bool Built(FileFormat format);
bool CanRead(FileFormat format);   // all but KML, which is for looking at points only
bool CanWrite(FileFormat format);  // all but the speed-camera list, which is for importing only

}  // namespace userdb::formats
