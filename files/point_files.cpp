#include "files/point_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <type_traits>

#include "base/path_text.h"
#include "formats/device_rules.h"
#include "formats/file_contents.h"
#include "storage/atomic_file.h"

namespace userdb::files {
namespace {

using formats::FileFormat;

// Far above any file a database fills, far below what would strain the machine.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{16} * 1024 * 1024;
// Past this many, the rest of the problems are counted rather than listed.
constexpr std::size_t kProblemsListed = 20;

template <typename Value>
FileResult<Value> Failed(FileOutcome outcome, std::string complaint) {
  return {outcome, {}, {std::move(complaint)}};
}

// The same failure, for a result of another value.
template <typename Value, typename From>
FileResult<Value> Failed(FileResult<From>&& failure) {
  return {failure.outcome, {}, std::move(failure.complaints)};
}

// A streamed format's library opens the file by its narrow name, which on Windows is in the ANSI
// code page: a name beyond ASCII is read into memory whole instead.
bool StreamsByName(const std::filesystem::path& path) {
  if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
    return true;
  } else {
    return std::ranges::all_of(path.native(), [](auto c) { return static_cast<unsigned>(c) < 0x80; });
  }
}

}  // namespace

namespace {

FileResult<std::string> ReadFileBounded(const std::filesystem::path& path, std::uintmax_t largest) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return Failed<std::string>(FileOutcome::CannotRead, "cannot read " + PathText(path) + ": " + error.message());
  }
  if (size > largest) {
    return Failed<std::string>(FileOutcome::CannotRead, PathText(path) + ": " + std::to_string(size) +
                                                            " bytes is too large for a database file");
  }
  std::ifstream file(path, std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) return Failed<std::string>(FileOutcome::CannotRead, "cannot read " + PathText(path));
  return {FileOutcome::Done, std::move(contents), {}};
}

}  // namespace

FileResult<std::string> ReadWholeFile(const std::filesystem::path& path) { return ReadFileBounded(path, kLargestFile); }

namespace {

Complaints Describe(const std::filesystem::path& path, const std::vector<formats::FileProblem>& problems) {
  Complaints complaints;
  const std::size_t listed = std::min(problems.size(), kProblemsListed);
  for (std::size_t i = 0; i < listed; ++i) complaints.push_back(formats::DescribeProblem(PathText(path), problems[i]));
  if (problems.size() > listed) {
    complaints.push_back(PathText(path) + ": and " + std::to_string(problems.size() - listed) + " more problems");
  }
  return complaints;
}

void TellOf(const std::filesystem::path& path, const std::vector<formats::Change>& made, Changes* changes) {
  if (changes == nullptr) return;
  for (const formats::Change& change : made) changes->push_back(formats::DescribeChange(PathText(path), change));
}

// ".bin, .csv, .gpx or .kml".
std::string KnownExtensions() {
  std::vector<std::string> extensions;
  for (const formats::FormatEntry& entry : formats::FormatTable()) {
    if (!entry.extension.empty()) extensions.emplace_back(entry.extension);
  }
  std::string text;
  for (std::size_t i = 0; i < extensions.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == extensions.size() ? " or " : ", ") + extensions[i];
  }
  return text;
}

}  // namespace

FileResult<FileFormat> ChooseFormat(const std::filesystem::path& path, const std::string& named, FileUse use) {
  const std::optional<FileFormat> format =
      named.empty() ? formats::FormatOfFileName(PathText(path.filename())) : formats::FormatNamed(named);
  if (!format) {
    return Failed<FileFormat>(FileOutcome::UnknownFormat, named.empty() ? "cannot tell the format of " +
                                                                              PathText(path) + " from its name: use " +
                                                                              KnownExtensions() + ", or give --format"
                                                                        : "no format is called \"" + named + "\"");
  }
  const std::string name(formats::FormatName(*format));
  if (use == FileUse::Read && !formats::CanRead(*format)) {
    return Failed<FileFormat>(FileOutcome::UnusableFormat, name + " files are written for looking at, not read");
  }
  if (use == FileUse::Write && !formats::CanWrite(*format)) {
    return Failed<FileFormat>(FileOutcome::UnusableFormat, name + " files are read for importing, not written");
  }
  return {FileOutcome::Done, *format, {}};
}

FileResult<formats::PointsFile> LoadPointsFile(const std::filesystem::path& path, const LoadRequest& request,
                                               Changes* changes) {
  FileResult<std::string> contents = ReadWholeFile(path);
  if (!contents) return Failed<formats::PointsFile>(std::move(contents));
  formats::ReadResult read = formats::ReadContents(request.format, contents.value, request.cameras);
  if (read.Ok() && request.forDevice) read.problems = formats::CheckForDevice(read.points);
  if (!read.Ok()) return {FileOutcome::Refused, {}, Describe(path, read.problems)};
  TellOf(path, read.changes, changes);
  return {FileOutcome::Done, read.points, {}};
}

FileResult<ListFile> ReadListFile(const std::filesystem::path& path, FileFormat format,
                                  const formats::ListOptions& options) {
  formats::ListRead read;
  if (const auto stream = formats::EntryOf(format).readListFile; stream != nullptr && StreamsByName(path)) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
      return Failed<ListFile>(FileOutcome::CannotRead,
                              "cannot read " + PathText(path) + ": " + (error ? error.message() : "not a file"));
    }
    read = stream(path, options);
  } else {
    FileResult<std::string> contents = ReadFileBounded(path, std::numeric_limits<std::uintmax_t>::max());
    if (!contents) return Failed<ListFile>(std::move(contents));
    read = formats::ReadPointList(format, contents.value, options);
  }
  if (!read.Ok()) return {FileOutcome::Refused, {}, Describe(path, read.problems)};
  return {FileOutcome::Done, {std::move(read.points), std::move(read.changes)}, {}};
}

FileResult<std::vector<formats::ListPoint>> LoadPointList(const std::filesystem::path& path, FileFormat format,
                                                          const formats::ListOptions& options, Changes* changes) {
  FileResult<ListFile> read = ReadListFile(path, format, options);
  if (!read) return Failed<std::vector<formats::ListPoint>>(std::move(read));
  TellOf(path, read.value.changes, changes);
  return {FileOutcome::Done, std::move(read.value.points), {}};
}

namespace {

// The contents in place of the file, or none of them; what the writer lost, by the file's name.
SaveResult WriteOut(const std::filesystem::path& path, const std::string& contents,
                    const std::vector<formats::Change>& lost, Changes* changes) {
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size());
  storage::FileWriteResult written = storage::WriteFileAtomically(path, bytes);
  if (!written) return Failed<std::monostate>(FileOutcome::CannotWrite, std::move(written.message));
  TellOf(path, lost, changes);
  return {};
}

}  // namespace

SaveResult SavePointsFile(const std::filesystem::path& path, FileFormat format, const UserDatabase& database,
                          const formats::ListOptions& options, Changes* changes) {
  std::vector<formats::Change> lost;
  const std::string contents = formats::WriteContents(format, database, options, lost);
  return WriteOut(path, contents, lost, changes);
}

SaveResult SavePointList(const std::filesystem::path& path, FileFormat format,
                         std::span<const formats::ListPoint> points, const formats::ListOptions& options,
                         Changes* changes) {
  std::vector<formats::Change> lost;
  const std::string contents = formats::WriteList(format, points, options, lost);
  return WriteOut(path, contents, lost, changes);
}

}  // namespace userdb::files
