#include "formats/file_format.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "formats/csv_format.h"
#include "formats/image_format.h"
#if USERDB_XML_FORMATS
#include "formats/gpx_format.h"
#include "formats/kml_format.h"
#endif

namespace userdb::formats {
namespace {

ReadResult ReadImageFile(std::string_view contents, const CameraImport&) { return ReadImage(contents); }

// A CSV file is read as a speed-camera list when its header is one.
ReadResult ReadCsvFile(std::string_view contents, const CameraImport& cameras) {
  return IsSpeedCameraList(contents) ? ReadSpeedCameraCsv(contents, cameras) : ReadCsv(contents);
}

#if USERDB_XML_FORMATS
ReadResult ReadGpxFile(std::string_view contents, const CameraImport&) { return ReadGpx(contents); }
constexpr auto kGpxReader = &ReadGpxFile;
constexpr auto kGpxWriter = &WriteGpx;
constexpr auto kKmlWriter = &WriteKml;
#else
constexpr ReadResult (*kGpxReader)(std::string_view, const CameraImport&) = nullptr;
constexpr std::string (*kGpxWriter)(const UserDatabase&) = nullptr;
constexpr std::string (*kKmlWriter)(const UserDatabase&) = nullptr;
#endif

const std::array<FormatSpec, 5> kFormats{{
    {FileFormat::Image, "bin", ".bin", true, true, "yes: the 36864-byte transfer image exactly as the device takes it",
     &ReadImageFile, &WriteImage},
    {FileFormat::Csv, "csv", ".csv", true, true, "yes", &ReadCsvFile, &WriteCsv},
    {FileFormat::Gpx, "gpx", ".gpx", true, true, "yes", kGpxReader, kGpxWriter},
    {FileFormat::Kml, "kml", ".kml", false, true, "no: for looking at the points on a map", nullptr, kKmlWriter},
    {FileFormat::SpeedCameraCsv, "speedcam", "", true, false, "a public speed-camera list, imported by the rules below",
     &ReadSpeedCameraCsv, nullptr},
}};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

std::span<const FormatSpec> FormatTable() { return kFormats; }

const FormatSpec& SpecOf(FileFormat format) {
  return *std::find_if(kFormats.begin(), kFormats.end(),
                       [format](const FormatSpec& spec) { return spec.format == format; });
}

std::optional<FileFormat> FormatNamed(std::string_view name) {
  for (const FormatSpec& spec : kFormats) {
    if (spec.name == name) return spec.format;
  }
  return std::nullopt;
}

std::string_view FormatName(FileFormat format) { return SpecOf(format).name; }

std::optional<FileFormat> FormatOfExtension(std::string_view extension) {
  const std::string lower = Lower(extension);
  for (const FormatSpec& spec : kFormats) {
    if (!spec.extension.empty() && spec.extension == lower) return spec.format;
  }
  return std::nullopt;
}

bool Built(FileFormat format) {
  const FormatSpec& spec = SpecOf(format);
  return (!spec.readable || spec.read != nullptr) && (!spec.writable || spec.write != nullptr);
}

bool CanRead(FileFormat format) { return SpecOf(format).readable; }

bool CanWrite(FileFormat format) { return SpecOf(format).writable; }

std::vector<std::string> FormatNames(bool forWriting) {
  std::vector<std::string> names;
  for (const FormatSpec& spec : kFormats) {
    if (forWriting ? spec.writable : spec.readable) names.emplace_back(spec.name);
  }
  return names;
}

std::string FormatsMarkdown() {
  std::string table = "| Name | Extension | Read | Written | Lossless |\n|---|---|---|---|---|\n";
  for (const FormatSpec& spec : kFormats) {
    const std::string extension = spec.extension.empty() ? ".csv" : std::string(spec.extension);
    table += "| `" + std::string(spec.name) + "` | `" + extension + "` | " + (spec.readable ? "yes" : "no") + " | " +
             (spec.writable ? "yes" : "no") + " | " + std::string(spec.lossless) + " |\n";
  }
  return table;
}

}  // namespace userdb::formats
