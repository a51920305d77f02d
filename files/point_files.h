#pragma once
// Files that hold points, in any of the formats: read whole and bounded in size, written
// atomically, with what is wrong with them said one line at a time.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "database/user_database.h"
#include "files/file_result.h"
#include "formats/file_format.h"
#include "formats/points_file.h"
#include "formats/speed_camera_csv.h"

namespace userdb::files {

enum class FileUse { Read, Write };

// The format named (empty: the one the extension gives), if it can be used so.
FileResult<formats::FileFormat> ChooseFormat(const std::filesystem::path& path, const std::string& named, FileUse use);

struct LoadRequest {
  formats::FileFormat format = formats::FileFormat::Image;
  formats::ListOptions cameras;
  bool forDevice = false;  // the points must also pass the rules of what goes to a device
};

// What formats lost or changed on the way, one line each as --explain lists them.
using Changes = std::vector<std::string>;

// Reads a file whole; one larger than any database file could be is refused unread.
FileResult<std::string> ReadWholeFile(const std::filesystem::path& path);

// A list of any length, and what reading it changed, for the caller to tell or to count.
struct ListFile {
  std::vector<formats::ListPoint> points;
  std::vector<formats::Change> changes;
};

// Every point of a list, however large the file: formats that stream are read so, in bounded
// memory; the rest are read whole, as a list has no size that a database file's bound fits.
FileResult<ListFile> ReadListFile(const std::filesystem::path& path, formats::FileFormat format,
                                  const formats::ListOptions& options);

// The changes a load or a save makes, if asked for, are added to changes.
FileResult<formats::PointsFile> LoadPointsFile(const std::filesystem::path& path, const LoadRequest& request,
                                               Changes* changes = nullptr);

// Every point of a file, however many.
FileResult<std::vector<formats::ListPoint>> LoadPointList(const std::filesystem::path& path, formats::FileFormat format,
                                                          const formats::ListOptions& options,
                                                          Changes* changes = nullptr);

SaveResult SavePointsFile(const std::filesystem::path& path, formats::FileFormat format, const UserDatabase& database,
                          const formats::ListOptions& options = {}, Changes* changes = nullptr);

// format must be one that CanWriteList.
SaveResult SavePointList(const std::filesystem::path& path, formats::FileFormat format,
                         std::span<const formats::ListPoint> points, const formats::ListOptions& options = {},
                         Changes* changes = nullptr);

}  // namespace userdb::files
