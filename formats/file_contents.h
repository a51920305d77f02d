#pragma once
// A file's contents in any format, read into a database or written from one.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/user_database.h"
#include "formats/file_format.h"
#include "formats/file_problem.h"
#include "formats/speed_camera_csv.h"

namespace userdb::formats {

// A CSV file is read as a speed-camera list when its header is one. A list format is refused
// past 256 points.
ReadResult ReadContents(FileFormat format, std::string_view contents, const ListOptions& options = {});

// Every point of the file, however many: lists as they are, databases by their records. A CSV
// file is read as a speed-camera list when its header is one.
ListRead ReadPointList(FileFormat format, std::string_view contents, const ListOptions& options = {});

// format must be one that CanWrite. What the format cannot carry goes to changes.
std::string WriteContents(FileFormat format, const UserDatabase& database, const ListOptions& options,
                          std::vector<Change>& changes);
std::string WriteContents(FileFormat format, const UserDatabase& database);

// format must be one that CanWriteList.
std::string WriteList(FileFormat format, std::span<const ListPoint> points, const ListOptions& options,
                      std::vector<Change>& changes);

}  // namespace userdb::formats
