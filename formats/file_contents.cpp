#include "formats/file_contents.h"

#include "formats/csv_format.h"
#include "formats/gpx_format.h"
#include "formats/image_format.h"
#include "formats/kml_format.h"

namespace userdb::formats {

ReadResult ReadContents(FileFormat format, std::string_view contents, const CameraImport& cameras) {
  switch (format) {
    case FileFormat::Image:
      return ReadImage(contents);
    case FileFormat::Csv:
      if (!IsSpeedCameraList(contents)) return ReadCsv(contents);
      [[fallthrough]];
    case FileFormat::SpeedCameraCsv:
      return ReadSpeedCameraCsv(contents, cameras);
    case FileFormat::Gpx:
#if USERDB_XML_FORMATS
      return ReadGpx(contents);
#else
      break;
#endif
    case FileFormat::Kml:
      break;
  }
  return Refused(ProblemAt(0, "", std::string(FormatName(format)) + " files cannot be read here"));
}

std::string WriteContents(FileFormat format, const UserDatabase& database) {
  switch (format) {
    case FileFormat::Image:
      return WriteImage(database);
    case FileFormat::Csv:
      return WriteCsv(database);
#if USERDB_XML_FORMATS
    case FileFormat::Gpx:
      return WriteGpx(database);
    case FileFormat::Kml:
      return WriteKml(database);
#endif
    default:
      break;
  }
  return {};
}

}  // namespace userdb::formats
