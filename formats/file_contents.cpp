#include "formats/file_contents.h"

namespace userdb::formats {
namespace {

FileProblem NotReadHere(const FormatSpec& spec) {
  return ProblemAt(0, "", std::string(spec.name) + " files cannot be read here");
}

}  // namespace

ReadResult ReadContents(FileFormat format, std::string_view contents, const ListOptions& options) {
  const FormatSpec& spec = SpecOf(format);
  if (spec.read == nullptr) return Refused(NotReadHere(spec));
  return spec.read(contents, options);
}

ListRead ReadPointList(FileFormat format, std::string_view contents, const ListOptions& options) {
  // A speed-camera list in a .csv file is a list, of whatever length.
  if (format == FileFormat::Csv && IsSpeedCameraList(contents)) format = FileFormat::SpeedCameraCsv;
  const FormatSpec& spec = SpecOf(format);
  if (spec.readList != nullptr) return spec.readList(contents, options);
  ListRead list;
  if (spec.read == nullptr) {
    list.problems.push_back(NotReadHere(spec));
    return list;
  }
  ReadResult read = spec.read(contents, options);
  list.problems = std::move(read.problems);
  if (list.Ok()) list.points = PointsOf(read.points);
  return list;
}

std::string WriteContents(FileFormat format, const UserDatabase& database, const ListOptions& options,
                          std::vector<Change>& changes) {
  const FormatSpec& spec = SpecOf(format);
  return spec.write != nullptr ? spec.write(database, options, changes) : std::string();
}

std::string WriteContents(FileFormat format, const UserDatabase& database) {
  std::vector<Change> ignored;
  return WriteContents(format, database, {}, ignored);
}

std::string WriteList(FileFormat format, std::span<const ListPoint> points, const ListOptions& options,
                      std::vector<Change>& changes) {
  const FormatSpec& spec = SpecOf(format);
  return spec.writeList != nullptr ? spec.writeList(points, options, changes) : std::string();
}

}  // namespace userdb::formats
