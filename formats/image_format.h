#pragma once
// The transfer image as a file: the 36864 bytes exactly as the device takes them.

#include <string>
#include <string_view>

#include "database/user_database.h"
#include "formats/file_problem.h"

namespace userdb::formats {

std::string WriteImage(const UserDatabase& database);
ReadResult ReadImage(std::string_view bytes);

}  // namespace userdb::formats
