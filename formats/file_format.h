#pragma once
// The kinds of file that hold a user database, in one table: what each is called, which
// extension names it, whether it is read and written, whether it keeps every byte, and whether
// this build has it. Detection, the command line's options and help, and the documentation all
// take them from here.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/user_database.h"
#include "formats/file_problem.h"
#include "formats/point_list.h"
#include "formats/speed_camera_csv.h"

namespace userdb::formats {

enum class FileFormat { Image, Csv, Gpx, Kml, SpeedCameraCsv, Ov2, GarminCsv, Osm, OsmPbf };

struct FormatEntry {
  FileFormat format;
  std::string_view name;       // as --format, --from and --to take it
  std::string_view extension;  // ".bin", ".osm.pbf"; empty for a format that only its name chooses
  std::string_view title;      // "GPX files", as file dialogs list it
  bool readable;
  bool writable;
  std::string_view lossless;  // "yes: ...", "no: ..." as the documentation says it
  // Null where the format is not read or not written. A format whose files may hold more points
  // than a device reads them all (readList), and one whose files may be far larger than memory reads them as a
  // stream (readListFile); a list format also writes lists of any length (writeList); the rest
  // hold whole databases.
  ReadResult (*read)(std::string_view contents, const ListOptions& options);
  ListRead (*readList)(std::string_view contents, const ListOptions& options);
  ListRead (*readListFile)(const std::filesystem::path& path, const ListOptions& options);
  std::string (*write)(const UserDatabase& database, const ListOptions& options, std::vector<Change>& changes);
  std::string (*writeList)(std::span<const ListPoint> points, const ListOptions& options, std::vector<Change>& changes);
};

// Every format, in the order the documentation lists them.
std::span<const FormatEntry> FormatTable();
const FormatEntry& EntryOf(FileFormat format);

std::optional<FileFormat> FormatNamed(std::string_view name);
std::string_view FormatName(FileFormat format);

// By the extension the file's name ends in, case ignored ("germany.osm.pbf"; ".gpx" alone is
// such a name too). Both CSV dialects share ".csv"; this gives our own, and its reader tells a
// speed-camera list by its header.
std::optional<FileFormat> FormatOfFileName(std::string_view name);

// The extension the format's files have, also where only its name chooses it (Garmin's is a
// ".csv" like our own).
std::string_view FileExtension(const FormatEntry& entry);

bool CanRead(FileFormat format);       // all but KML, which is for looking at points only
bool CanWrite(FileFormat format);      // all but the OpenStreetMap extracts, read for their cameras
bool CanWriteList(FileFormat format);  // also a list longer than a device holds

// The names the command line takes for reading or for writing, in table order.
std::vector<std::string> FormatNames(bool forWriting);

// The table as docs/cli.md shows it.
std::string FormatsMarkdown();

}  // namespace userdb::formats
