#include "cli/merge_arguments.h"

#include "base/path_text.h"
#include "files/route_files.h"
#include "formats/file_format.h"

namespace userdb::cli {
namespace {

constexpr std::string_view kDeviceBase = "device";

bool Given(const CLI::App& command, const std::string& option) { return command.count(option) > 0; }

std::optional<ListFile> FileOf(const std::string& argument, const std::string& named, files::FileUse use,
                               files::Complaints& complaints) {
  const std::filesystem::path path = PathOfText(argument);
  const files::FileResult<formats::FileFormat> format = files::ChooseFormat(path, named, use);
  if (!format) {
    complaints.insert(complaints.end(), format.complaints.begin(), format.complaints.end());
    return std::nullopt;
  }
  return ListFile{path, format.value};
}

// What was left out is a list, of any length: a .csv file of it takes the public lists' columns,
// since our own CSV holds the 256 records of a database.
std::optional<ListFile> DroppedFile(const MergeArguments& arguments, files::Complaints& complaints) {
  const std::filesystem::path path = PathOfText(arguments.dropped);
  std::string named = arguments.droppedFormat;
  if (named.empty() && formats::FormatOfFileName(PathText(path.filename())) == formats::FileFormat::Csv) {
    named = formats::FormatName(formats::FileFormat::SpeedCameraCsv);
  }
  std::optional<ListFile> file = FileOf(arguments.dropped, named, files::FileUse::Write, complaints);
  if (file && !formats::CanWriteList(file->format)) {
    complaints.push_back("--dropped: " + std::string(formats::FormatName(file->format)) +
                         " files hold a database of 256 records, not a list of any length: use .ov2, .txt or .csv, "
                         "or --dropped-format garmin");
    return std::nullopt;
  }
  return file;
}

void ReadRoute(const MergeArguments& arguments, const CLI::App& command, formats::MergeOptions& merge,
               files::Complaints& complaints) {
  if ((Given(command, "--corridor") || arguments.fit == "along") && !Given(command, "--along")) {
    complaints.push_back("--corridor and --fit along measure from a route: --along ROUTE");
  }
  if (!Given(command, "--along")) return;
  if (!Given(command, "--corridor")) complaints.push_back("--along needs --corridor KM, the width on either side");
  files::FileResult<formats::Route> route = files::LoadRoute(PathOfText(arguments.along));
  if (!route) {
    complaints.insert(complaints.end(), route.complaints.begin(), route.complaints.end());
    return;
  }
  merge.along = std::make_shared<const formats::RouteCorridor>(route.value, arguments.corridorKm);
}

bool ReadRegion(const MergeArguments& arguments, const CLI::App& command, formats::MergeOptions& merge,
                files::Complaints& complaints) {
  if (Given(command, "--near")) {
    merge.near = formats::PositionOfText(arguments.near);
    if (!merge.near) complaints.push_back("--near: not LAT,LON in degrees, such as 52.52,13.40");
  }
  if (Given(command, "--radius")) merge.radiusKm = arguments.radiusKm;
  if (Given(command, "--bbox")) {
    merge.box = formats::BoxOfText(arguments.box);
    if (!merge.box) complaints.push_back("--bbox: not W,S,E,N in degrees, such as 13.0,52.3,13.8,52.7");
  }
  const bool needsNear = Given(command, "--radius") || arguments.fit == "nearest" || arguments.sort == "distance";
  if (needsNear && !Given(command, "--near")) {
    complaints.push_back("--radius, --fit nearest and --sort distance measure from --near LAT,LON");
  }
  ReadRoute(arguments, command, merge, complaints);
  return complaints.empty();
}

formats::MergeOptions MergeOptionsOf(const MergeArguments& arguments) {
  formats::MergeOptions merge;
  merge.withinMetres = arguments.within;
  merge.preferList = arguments.preferList;
  merge.fit = arguments.fit == "nearest" ? formats::CapacityFit::Nearest
              : arguments.fit == "first" ? formats::CapacityFit::First
              : arguments.fit == "along" ? formats::CapacityFit::Along
                                         : formats::CapacityFit::Refuse;
  merge.order = arguments.sort == "distance" ? formats::MergeOrder::Distance
                : arguments.sort == "note"   ? formats::MergeOrder::Note
                                             : formats::MergeOrder::Kept;
  return merge;
}

// [BASE] LIST...: with one file it is a list; with more, the first is the base.
bool ReadSources(const MergeArguments& arguments, MergeRequest& request, files::Complaints& complaints) {
  std::size_t first = 0;
  if (arguments.sources.size() > 1) {
    first = 1;
    if (arguments.sources.front() == kDeviceBase) {
      request.baseIsDevice = true;
    } else {
      request.base = FileOf(arguments.sources.front(), "", files::FileUse::Read, complaints);
    }
  }
  for (std::size_t i = first; i < arguments.sources.size(); ++i) {
    if (std::optional<ListFile> list =
            FileOf(arguments.sources[i], arguments.listFormat, files::FileUse::Read, complaints)) {
      request.lists.push_back(*list);
    }
  }
  return complaints.empty();
}

// A name on a line of the sources' file: no tabs or line breaks, and not empty.
bool UsableName(const std::string& name) {
  return !name.empty() && name.size() <= 100 && name.find_first_of("\t\r\n") == std::string::npos;
}

void ReadSourceNames(const MergeArguments& arguments, MergeRequest& request, files::Complaints& complaints) {
  request.sourceName = arguments.source.empty() && !request.lists.empty() ? PathText(request.lists.front().path.stem())
                                                                          : arguments.source;
  if (!UsableName(request.sourceName)) complaints.push_back("--source: a name of 1 to 100 characters on one line");
  if (!arguments.replace.empty()) request.replace = arguments.replace;
}

}  // namespace

CLI::App* AddMergeCommand(CLI::App& app, MergeArguments& arguments) {
  CLI::App* merge = app.add_subcommand(
      "merge", "merge camera lists into the device's database, a backup or a file, within the device's 256 points");
  merge
      ->add_option("SOURCES", arguments.sources,
                   "[BASE] LIST...: BASE is `device` (read from the port), a backup or any file, and is kept whole; "
                   "with one file, it is a list merged into an empty database")
      ->required()
      ->type_name("");
  merge->add_option("--from", arguments.listFormat, "the lists' format (default: by each file's extension)")
      ->check(CLI::IsMember(formats::FormatNames(false)))
      ->type_name("FORMAT");
  merge->add_option("--output,-o", arguments.output, "write the result to this file")->type_name("FILE");
  merge->add_option("--to", arguments.outputFormat, "the output's format (default: by its extension)")
      ->check(CLI::IsMember(formats::FormatNames(true)))
      ->type_name("FORMAT");
  merge->add_flag("--to-device", arguments.toDevice, "write the result to the device, then read it back to verify");
  merge->add_flag("--yes,-y", arguments.yes, "do not ask before writing the device");
  merge->add_flag("--no-verify", arguments.noVerify, "do not read the database back after the device confirmed");
  merge->add_flag("--no-backup", arguments.noBackup, "do not read the device into a backup before writing over it");
  merge->add_option("--within", arguments.within, "a list point this close to another is a duplicate (default 30)")
      ->check(CLI::Range(0.0, 10000.0))
      ->type_name("METRES");
  merge->add_flag("--prefer-list", arguments.preferList,
                  "a list's duplicate replaces the base's point (its note, speed and type) instead of giving way");
  merge->add_option("--near", arguments.near, "the place that --radius, --fit nearest and --sort distance measure from")
      ->type_name("LAT,LON");
  CLI::Option* radius = merge->add_option("--radius", arguments.radiusKm, "keep only list points this close to --near")
                            ->check(CLI::Range(0.0, 20040.0))
                            ->type_name("KM");
  merge->add_option("--bbox", arguments.box, "keep only list points inside this box")
      ->excludes(radius)
      ->type_name("W,S,E,N");
  merge
      ->add_option("--source", arguments.source,
                   "the name the lists' points are remembered by (default: the first list's file name without its "
                   "extension)")
      ->type_name("NAME");
  merge
      ->add_option("--replace", arguments.replace,
                   "first take out the base's points that are still as the list of this name gave them")
      ->type_name("SOURCE");
  merge
      ->add_option("--along", arguments.along,
                   "keep only list points near this route: GPX (rte, trk) or KML (LineString)")
      ->type_name("ROUTE");
  merge->add_option("--corridor", arguments.corridorKm, "with --along: how far on either side of the route")
      ->check(CLI::Range(0.0, 20040.0))
      ->type_name("KM");
  merge
      ->add_option("--fit", arguments.fit,
                   "when more than 256 points result: keep the list points nearest to --near or to the --along "
                   "route, or the first ones")
      ->check(CLI::IsMember({"nearest", "along", "first"}))
      ->type_name("nearest|along|first");
  merge->add_option("--dropped", arguments.dropped, "write the list points left out for capacity to this file")
      ->type_name("FILE");
  merge->add_option("--dropped-format", arguments.droppedFormat, "the format of --dropped (default: by its extension)")
      ->check(CLI::IsMember(formats::FormatNames(true)))
      ->type_name("FORMAT");
  merge->add_option("--sort", arguments.sort, "reorder all records: by distance from --near, or by note")
      ->check(CLI::IsMember({"distance", "note"}))
      ->type_name("distance|note");
  merge->add_flag("--dry-run", arguments.dryRun, "print what the merge would do, and write nothing");
  return merge;
}

std::optional<MergeRequest> MergeRequestOf(const MergeArguments& arguments, const CLI::App& command,
                                           const formats::ListOptions& listOptions, files::Complaints& complaints) {
  MergeRequest request;
  request.listOptions = listOptions;
  request.merge = MergeOptionsOf(arguments);
  request.toDevice = arguments.toDevice;
  request.steps = {!arguments.noBackup, !arguments.noVerify};
  request.dryRun = arguments.dryRun;
  if (!ReadSources(arguments, request, complaints) || !ReadRegion(arguments, command, request.merge, complaints)) {
    return std::nullopt;
  }
  ReadSourceNames(arguments, request, complaints);
  if (!arguments.output.empty())
    request.output = FileOf(arguments.output, arguments.outputFormat, files::FileUse::Write, complaints);
  if (!arguments.dropped.empty()) request.dropped = DroppedFile(arguments, complaints);
  if (arguments.output.empty() && !arguments.toDevice && !arguments.dryRun) {
    complaints.push_back("merge writes --output FILE, --to-device, or with --dry-run nothing");
  }
  if (!complaints.empty()) return std::nullopt;
  return request;
}

}  // namespace userdb::cli
