#include "formats/file_format.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "formats/csv_format.h"
#include "formats/garmin_csv.h"
#include "formats/gpx_format.h"
#include "formats/image_format.h"
#include "formats/kml_format.h"
#include "formats/osm_pbf.h"
#include "formats/osm_xml.h"
#include "formats/ov2_format.h"

namespace userdb::formats {
namespace {

ReadResult ReadImageFile(std::string_view contents, const ListOptions&) { return ReadImage(contents); }

// A CSV file is read as a speed-camera list when its header is one.
ReadResult ReadCsvFile(std::string_view contents, const ListOptions& options) {
  return IsSpeedCameraList(contents) ? ReadSpeedCameraCsv(contents, options) : ReadCsv(contents);
}

// As a list, such a list keeps every point, however many.
ListRead ReadCsvList(std::string_view contents, const ListOptions& options) {
  return IsSpeedCameraList(contents) ? ReadSpeedCameraList(contents, options) : ListOf(ReadCsv(contents));
}

// A list format as a database: refused past 256 points.
template <ListRead (*Reader)(std::string_view, const ListOptions&)>
ReadResult ReadListFile(std::string_view contents, const ListOptions& options) {
  return IntoDatabase(Reader(contents, options), kRecordFieldNames);
}

// The lossless formats change nothing on the way out.
template <std::string (*Writer)(const UserDatabase&)>
std::string WriteWhole(const UserDatabase& database, const ListOptions&, std::vector<Change>&) {
  return Writer(database);
}

// A list format writes a database as the list of its points.
template <std::string (*Writer)(std::span<const ListPoint>, const ListOptions&, std::vector<Change>&)>
std::string WriteAsList(const UserDatabase& database, const ListOptions& options, std::vector<Change>& changes) {
  return Writer(PointsOf(database), options, changes);
}

std::string WriteOv2List(std::span<const ListPoint> points, const ListOptions&, std::vector<Change>& changes) {
  return WriteOv2(points, changes);
}

std::string WriteCameraList(std::span<const ListPoint> points, const ListOptions&, std::vector<Change>& changes) {
  return WriteSpeedCameraCsv(points, changes);
}

ReadResult ReadGpxFile(std::string_view contents, const ListOptions&) { return ReadGpx(contents); }

const std::array<FormatEntry, 9> kFormats{{
    {FileFormat::Image, "bin", ".bin", "Device images", true, true,
     "yes: the 36864-byte transfer image exactly as the device takes it", &ReadImageFile, nullptr, nullptr,
     &WriteWhole<WriteImage>, nullptr},
    {FileFormat::Csv, "csv", ".csv", "userdb CSV files", true, true, "yes", &ReadCsvFile, &ReadCsvList, nullptr,
     &WriteWhole<WriteCsv>, nullptr},
    {FileFormat::Gpx, "gpx", ".gpx", "GPX files", true, true, "yes", &ReadGpxFile, nullptr, nullptr,
     &WriteWhole<WriteGpx>, nullptr},
    {FileFormat::Kml, "kml", ".kml", "KML files", false, true, "no: for looking at the points on a map", nullptr,
     nullptr, nullptr, &WriteWhole<WriteKml>, nullptr},
    {FileFormat::SpeedCameraCsv, "speedcam", ".txt", "iGO speedcam.txt lists", true, true,
     "no: iGO's speedcam.txt and the public lists in its columns (also as `.csv`), by the rules below",
     &ReadSpeedCameraCsv, &ReadSpeedCameraList, nullptr, &WriteAsList<WriteCameraList>, &WriteCameraList},
    {FileFormat::Ov2, "ov2", ".ov2", "TomTom OV2 files", true, true,
     "no: TomTom's points of interest; names and positions only", &ReadListFile<ReadOv2>, &ReadOv2, nullptr,
     &WriteAsList<WriteOv2List>, &WriteOv2List},
    {FileFormat::GarminCsv, "garmin", "", "Garmin POI CSV files", true, true,
     "no: Garmin's POI CSV (`.csv`, by its name only); names, positions and speeds", &ReadListFile<ReadGarminCsv>,
     &ReadGarminCsv, nullptr, &WriteAsList<WriteGarminCsv>, &WriteGarminCsv},
    {FileFormat::Osm, "osm", ".osm", "OpenStreetMap extracts", true, false,
     "no: the speed cameras of an OpenStreetMap extract, by the rules below", &ReadListFile<ReadOsmXml>, &ReadOsmXml,
     nullptr, nullptr, nullptr},
    {FileFormat::OsmPbf, "osm.pbf", ".osm.pbf", "OpenStreetMap PBF extracts", true, false,
     "no: the same, from the compressed extracts that whole countries come in", &ReadListFile<ReadOsmPbf>, &ReadOsmPbf,
     &ReadOsmPbfFile, nullptr, nullptr},
}};

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

std::span<const FormatEntry> FormatTable() { return kFormats; }

const FormatEntry& EntryOf(FileFormat format) {
  return *std::find_if(kFormats.begin(), kFormats.end(),
                       [format](const FormatEntry& entry) { return entry.format == format; });
}

std::optional<FileFormat> FormatNamed(std::string_view name) {
  for (const FormatEntry& entry : kFormats) {
    if (entry.name == name) return entry.format;
  }
  return std::nullopt;
}

std::string_view FormatName(FileFormat format) { return EntryOf(format).name; }

std::optional<FileFormat> FormatOfFileName(std::string_view name) {
  const std::string lower = Lower(name);
  for (const FormatEntry& entry : kFormats) {
    if (!entry.extension.empty() && lower.ends_with(entry.extension)) return entry.format;
  }
  return std::nullopt;
}

bool CanRead(FileFormat format) { return EntryOf(format).readable; }

bool CanWrite(FileFormat format) { return EntryOf(format).writable; }

bool CanWriteList(FileFormat format) { return EntryOf(format).writeList != nullptr; }

std::vector<std::string> FormatNames(bool forWriting) {
  std::vector<std::string> names;
  for (const FormatEntry& entry : kFormats) {
    if (forWriting ? entry.writable : entry.readable) names.emplace_back(entry.name);
  }
  return names;
}

std::string_view FileExtension(const FormatEntry& entry) {
  return entry.extension.empty() ? std::string_view(".csv") : entry.extension;
}

std::string FormatsMarkdown() {
  std::string table = "| Name | Extension | Read | Written | Lossless |\n|---|---|---|---|---|\n";
  for (const FormatEntry& entry : kFormats) {
    table += "| `" + std::string(entry.name) + "` | `" + std::string(FileExtension(entry)) + "` | " +
             (entry.readable ? "yes" : "no") + " | " + (entry.writable ? "yes" : "no") + " | " +
             std::string(entry.lossless) + " |\n";
  }
  return table;
}

}  // namespace userdb::formats
