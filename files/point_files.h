#pragma once
// Files that hold points, in any of the formats: read whole and bounded in size, written
// atomically, with what is wrong with them said one line at a time.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "database/user_database.h"
#include "formats/file_format.h"
#include "formats/points_file.h"
#include "formats/speed_camera_csv.h"

namespace userdb::files {

using Complaints = std::vector<std::string>;  // one line each, without the program's name

enum class FileUse { Read, Write };

// The format named (empty: the one the extension gives), if it can be used so.
std::optional<formats::FileFormat> ChooseFormat(const std::filesystem::path& path, const std::string& named,
                                                FileUse use, Complaints& complaints);

struct LoadRequest {
  formats::FileFormat format = formats::FileFormat::Image;
  formats::ListOptions cameras;
  bool forDevice = false;  // the points must also pass the rules of what goes to a device
};

// What formats lost or changed on the way, one line each as --explain lists them.
using Changes = std::vector<std::string>;

// Reads a file whole; one larger than any database file could be is refused unread.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, Complaints& complaints);

std::optional<formats::PointsFile> LoadPointsFile(const std::filesystem::path& path, const LoadRequest& request,
                                                  Complaints& complaints, Changes* changes = nullptr);

// Every point of a file, however many.
std::optional<std::vector<formats::ListPoint>> LoadPointList(const std::filesystem::path& path,
                                                             formats::FileFormat format,
                                                             const formats::ListOptions& options,
                                                             Complaints& complaints, Changes* changes = nullptr);

bool SavePointsFile(const std::filesystem::path& path, formats::FileFormat format, const UserDatabase& database,
                    Complaints& complaints, const formats::ListOptions& options = {}, Changes* changes = nullptr);

// format must be one that CanWriteList.
bool SavePointList(const std::filesystem::path& path, formats::FileFormat format,
                   std::span<const formats::ListPoint> points, Complaints& complaints,
                   const formats::ListOptions& options = {}, Changes* changes = nullptr);

}  // namespace userdb::files
