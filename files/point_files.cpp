#include "files/point_files.h"

#include <fstream>
#include <iterator>

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

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, Complaints& complaints) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    complaints.push_back("cannot read " + path.string() + ": " + error.message());
    return std::nullopt;
  }
  if (size > kLargestFile) {
    complaints.push_back(path.string() + ": " + std::to_string(size) + " bytes is too large for a database file");
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) {
    complaints.push_back("cannot read " + path.string());
    return std::nullopt;
  }
  return contents;
}

namespace {

void Describe(const std::filesystem::path& path, const std::vector<formats::FileProblem>& problems,
              Complaints& complaints) {
  const std::size_t listed = std::min(problems.size(), kProblemsListed);
  for (std::size_t i = 0; i < listed; ++i) complaints.push_back(formats::DescribeProblem(path.string(), problems[i]));
  if (problems.size() > listed) {
    complaints.push_back(path.string() + ": and " + std::to_string(problems.size() - listed) + " more problems");
  }
}

void TellOf(const std::filesystem::path& path, const std::vector<formats::Change>& made, Changes* changes) {
  if (changes == nullptr) return;
  for (const formats::Change& change : made) changes->push_back(formats::DescribeChange(path.string(), change));
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

std::optional<FileFormat> ChooseFormat(const std::filesystem::path& path, const std::string& named, FileUse use,
                                       Complaints& complaints) {
  const std::optional<FileFormat> format =
      named.empty() ? formats::FormatOfExtension(path.extension().string()) : formats::FormatNamed(named);
  if (!format) {
    complaints.push_back(named.empty() ? "cannot tell the format of " + path.string() + " from its name: use " +
                                             KnownExtensions() + ", or give --format"
                                       : "no format is called \"" + named + "\"");
    return std::nullopt;
  }
  if (!formats::Built(*format)) {
    complaints.push_back("this userdb was built without " + std::string(formats::FormatName(*format)) + " files");
    return std::nullopt;
  }
  if (use == FileUse::Read && !formats::CanRead(*format)) {
    complaints.push_back(std::string(formats::FormatName(*format)) + " files are written for looking at, not read");
    return std::nullopt;
  }
  if (use == FileUse::Write && !formats::CanWrite(*format)) {
    complaints.push_back(std::string(formats::FormatName(*format)) + " files are read for importing, not written");
    return std::nullopt;
  }
  return format;
}

std::optional<formats::PointsFile> LoadPointsFile(const std::filesystem::path& path, const LoadRequest& request,
                                                  Complaints& complaints, Changes* changes) {
  const std::optional<std::string> contents = ReadWholeFile(path, complaints);
  if (!contents) return std::nullopt;
  formats::ReadResult read = formats::ReadContents(request.format, *contents, request.cameras);
  if (read.Ok() && request.forDevice) read.problems = formats::CheckForDevice(read.points);
  if (!read.Ok()) {
    Describe(path, read.problems, complaints);
    return std::nullopt;
  }
  TellOf(path, read.changes, changes);
  return read.points;
}

std::optional<std::vector<formats::ListPoint>> LoadPointList(const std::filesystem::path& path, FileFormat format,
                                                             const formats::ListOptions& options,
                                                             Complaints& complaints, Changes* changes) {
  const std::optional<std::string> contents = ReadWholeFile(path, complaints);
  if (!contents) return std::nullopt;
  formats::ListRead read = formats::ReadPointList(format, *contents, options);
  if (!read.Ok()) {
    Describe(path, read.problems, complaints);
    return std::nullopt;
  }
  TellOf(path, read.changes, changes);
  return std::move(read.points);
}

namespace {

// The contents in place of the file, or none of them; what the writer lost, by the file's name.
bool WriteOut(const std::filesystem::path& path, const std::string& contents, const std::vector<formats::Change>& lost,
              Complaints& complaints, Changes* changes) {
  std::string error;
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size());
  if (!storage::WriteFileAtomically(path, bytes, error)) {
    complaints.push_back(error);
    return false;
  }
  TellOf(path, lost, changes);
  return true;
}

}  // namespace

bool SavePointsFile(const std::filesystem::path& path, FileFormat format, const UserDatabase& database,
                    Complaints& complaints, const formats::ListOptions& options, Changes* changes) {
  std::vector<formats::Change> lost;
  const std::string contents = formats::WriteContents(format, database, options, lost);
  return WriteOut(path, contents, lost, complaints, changes);
}

bool SavePointList(const std::filesystem::path& path, FileFormat format, std::span<const formats::ListPoint> points,
                   Complaints& complaints, const formats::ListOptions& options, Changes* changes) {
  std::vector<formats::Change> lost;
  const std::string contents = formats::WriteList(format, points, options, lost);
  return WriteOut(path, contents, lost, complaints, changes);
}

}  // namespace userdb::files
