#include "storage/atomic_file.h"

#include <fstream>

#include "base/path_text.h"

namespace userdb::storage {

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::filesystem::path temporary = path;
  temporary += ".partial";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return {FileWriteOutcome::CannotWrite, "cannot write " + PathText(path)};
    }
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, path, renameError);
  if (renameError) {
    FileWriteResult failed{FileWriteOutcome::CannotReplace,
                           "cannot replace " + PathText(path) + ": " + renameError.message()};
    std::filesystem::remove(temporary, renameError);
    return failed;
  }
  return {};
}

}  // namespace userdb::storage
