#include "files/route_files.h"

#include "base/path_text.h"
#include "files/point_files.h"
#include "formats/route_file.h"

namespace userdb::files {

FileResult<formats::Route> LoadRoute(const std::filesystem::path& path) {
  FileResult<std::string> text = ReadWholeFile(path);
  if (!text) return {text.outcome, {}, std::move(text.complaints)};
  formats::RouteReadResult read = formats::ReadRoute(text.value);
  if (!read.Ok()) return {FileOutcome::Refused, {}, {formats::DescribeProblem(PathText(path), *read.problem)}};
  return {FileOutcome::Done, std::move(read.route), {}};
}

}  // namespace userdb::files
