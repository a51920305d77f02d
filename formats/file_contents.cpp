#include "formats/file_contents.h"

namespace userdb::formats {

ReadResult ReadContents(FileFormat format, std::string_view contents, const CameraImport& cameras) {
  const FormatSpec& spec = SpecOf(format);
  if (spec.read == nullptr) {
    return Refused(ProblemAt(0, "", std::string(spec.name) + " files cannot be read here"));
  }
  return spec.read(contents, cameras);
}

std::string WriteContents(FileFormat format, const UserDatabase& database) {
  const FormatSpec& spec = SpecOf(format);
  return spec.write != nullptr ? spec.write(database) : std::string();
}

}  // namespace userdb::formats
