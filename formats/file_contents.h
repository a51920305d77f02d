#pragma once
// A file's contents in any format, read into a database or written from one.

#include <string>
#include <string_view>

#include "database/user_database.h"
#include "formats/file_format.h"
#include "formats/file_problem.h"
#include "formats/speed_camera_csv.h"

namespace userdb::formats {

// A CSV file is read as a speed-camera list when its header is one.
ReadResult ReadContents(FileFormat format, std::string_view contents, const CameraImport& cameras = {});

// format must be one that CanWrite.
std::string WriteContents(FileFormat format, const UserDatabase& database);

}  // namespace userdb::formats
