#include "formats/file_contents.h"

namespace userdb::formats {
namespace {

FileProblem NotReadHere(const FormatEntry& entry) {
  return ProblemAt(0, "", std::string(entry.name) + " files cannot be read here");
}

}  // namespace

ReadResult ReadContents(FileFormat format, std::string_view contents, const ListOptions& options) {
  const FormatEntry& entry = EntryOf(format);
  if (entry.read == nullptr) return Refused(NotReadHere(entry));
  return entry.read(contents, options);
}

ListRead ReadPointList(FileFormat format, std::string_view contents, const ListOptions& options) {
  const FormatEntry& entry = EntryOf(format);
  if (entry.readList != nullptr) return entry.readList(contents, options);
  if (entry.read == nullptr) return ListOf(Refused(NotReadHere(entry)));
  return ListOf(entry.read(contents, options));
}

std::string WriteContents(FileFormat format, const UserDatabase& database, const ListOptions& options,
                          std::vector<Change>& changes) {
  const FormatEntry& entry = EntryOf(format);
  return entry.write != nullptr ? entry.write(database, options, changes) : std::string();
}

std::string WriteContents(FileFormat format, const UserDatabase& database) {
  std::vector<Change> ignored;
  return WriteContents(format, database, {}, ignored);
}

std::string WriteList(FileFormat format, std::span<const ListPoint> points, const ListOptions& options,
                      std::vector<Change>& changes) {
  const FormatEntry& entry = EntryOf(format);
  return entry.writeList != nullptr ? entry.writeList(points, options, changes) : std::string();
}

}  // namespace userdb::formats
