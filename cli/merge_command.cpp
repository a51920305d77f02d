#include "cli/merge_command.h"

#include "app/source_records.h"
#include "base/path_text.h"
#include "cli/exit_codes.h"

#include <cstdio>
#include "formats/device_rules.h"

namespace userdb::cli {
namespace {

void Tell(const MergeStreams& streams, std::string_view text) { streams.errors << "userdb: " << text << '\n'; }

std::optional<std::vector<formats::ListPoint>> ReadLists(const MergeRequest& request, const MergeStreams& streams,
                                                         files::Changes& changes) {
  std::vector<formats::ListPoint> all;
  for (const ListFile& list : request.lists) {
    const files::FileResult<std::vector<formats::ListPoint>> points =
        files::LoadPointList(list.path, list.format, request.listOptions, &changes);
    if (!points) {
      PrintComplaints(streams.errors, points.complaints);
      return std::nullopt;
    }
    all.insert(all.end(), points.value.begin(), points.value.end());
  }
  return all;
}

// The base's database: the device's, a file's, or an empty one. A device that cannot be read
// or whose copy cannot be kept, when the result is to be written back, ends the merge.
std::optional<UserDatabase> ReadBase(const MergeRequest& request, const MergeStreams& streams,
                                     const CommandContext* device, files::Changes& changes, int& failure) {
  if (request.baseIsDevice) {
    const DeviceRead read = ReadDevice(*device);
    failure = exit_code::kDeviceFailure;
    if (!read.database) return std::nullopt;
    if (request.toDevice && request.steps.backupFirst && !read.backedUp) {
      failure = exit_code::kFileProblem;
      Tell(streams, "nothing was written (--no-backup writes without a backup)");
      return std::nullopt;
    }
    return read.database;
  }
  if (!request.base) return UserDatabase();
  files::LoadRequest load;
  load.format = request.base->format;
  load.cameras = request.listOptions;
  const files::FileResult<formats::PointsFile> file = files::LoadPointsFile(request.base->path, load, &changes);
  if (!file) {
    PrintComplaints(streams.errors, file.complaints);
    failure = exit_code::kFileProblem;
    return std::nullopt;
  }
  return file.value.database;
}

void TellOverCapacity(const MergeStreams& streams, const formats::MergeSummary& summary) {
  Tell(streams, "the merge would hold " + std::to_string(summary.wanted) + " points (" + std::to_string(summary.kept) +
                    " of the base, " + std::to_string(summary.wanted - summary.kept) +
                    " from the lists): a device holds 256; nothing was written");
  Tell(streams, "--near and --radius or --bbox keep a region; --fit nearest or --fit first keeps what fits");
}

// The result passes what the window would check before it writes the device.
bool PassesTheRules(const UserDatabase& database, const MergeStreams& streams) {
  formats::PointsFile file;
  file.database = database;
  const std::vector<formats::FileProblem> problems = formats::CheckForDevice(file);
  for (const formats::FileProblem& problem : problems) Tell(streams, formats::DescribeProblem("the merge", problem));
  if (!problems.empty()) Tell(streams, "nothing was written");
  return problems.empty();
}

// Whether the file was written; what is wrong is told when not.
bool Written(const files::SaveResult& saved, const MergeStreams& streams) {
  if (!saved) PrintComplaints(streams.errors, saved.complaints);
  return static_cast<bool>(saved);
}

bool WriteFiles(const MergeRequest& request, const formats::MergeResult& merged, const MergeStreams& streams,
                files::Changes& changes) {
  if (request.dropped && !Written(files::SavePointList(request.dropped->path, request.dropped->format, merged.leftOut,
                                                       request.listOptions, &changes),
                                  streams)) {
    return false;
  }
  return !request.output || Written(files::SavePointsFile(request.output->path, request.output->format, merged.database,
                                                          request.listOptions, &changes),
                                    streams);
}

// The merge's options with the list being replaced known by its points.
formats::MergeOptions MergeOptionsFor(const MergeRequest& request) {
  formats::MergeOptions options = request.merge;
  if (request.replace && request.sources != nullptr) {
    options.replacing = [&request](const UserDatabase& base, std::size_t record) {
      return IsOfSource(*request.sources, base, record, *request.replace);
    };
  }
  return options;
}

void TellTakenOut(const MergeStreams& streams, const std::vector<formats::ListPoint>& takenOut,
                  const MergeRequest& request) {
  for (const formats::ListPoint& point : takenOut) {
    const formats::EarthPosition at = formats::PositionOf(point.point);
    char position[64];
    std::snprintf(position, sizeof position, "%.5f,%.5f", at.latitude, at.longitude);
    streams.errors << "the base: record " << point.record << ": " << position << " \"" << point.note
                   << "\": taken out, as the list " << *request.replace << " gave it\n";
  }
}

// What the lists added is theirs from now on; that it could not be recorded costs only a later
// refresh, so the merge still counts.
void RememberSources(const MergeRequest& request, const UserDatabase& base, const UserDatabase& merged,
                     const MergeStreams& streams) {
  if (request.sources == nullptr) return;
  const SourcesResult recorded = RecordAdded(*request.sources, base, merged, {request.sourceName, Today()});
  if (!recorded) Tell(streams, recorded.message);
}

}  // namespace

int RunMerge(const MergeRequest& request, const MergeStreams& streams, const CommandContext* device) {
  files::Changes changes;
  const std::optional<std::vector<formats::ListPoint>> list = ReadLists(request, streams, changes);
  if (!list) return exit_code::kFileProblem;
  int failure = exit_code::kSuccess;
  const std::optional<UserDatabase> base = ReadBase(request, streams, device, changes, failure);
  if (!base) return failure;

  const formats::MergeResult merged = formats::MergePoints(*base, *list, MergeOptionsFor(request));
  if (streams.explain) TellTakenOut(streams, merged.takenOut, request);
  if (!merged.Ok()) {
    TellChanges(streams.errors, changes, streams.explain);
    TellOverCapacity(streams, merged.summary);
    return exit_code::kFileProblem;
  }
  if (!PassesTheRules(merged.database, streams)) return exit_code::kFileProblem;
  if (!streams.quiet || request.dryRun) streams.output << formats::DescribeSummary(merged.summary) << '\n';
  if (request.dryRun) {
    TellChanges(streams.errors, changes, streams.explain);
    return exit_code::kSuccess;
  }
  const bool written = WriteFiles(request, merged, streams, changes);
  TellChanges(streams.errors, changes, streams.explain);
  if (!written) return exit_code::kFileProblem;
  RememberSources(request, *base, merged.database, streams);
  if (!streams.quiet) {
    if (request.output) {
      streams.output << "Wrote " << formats::PointCount(merged.database) << " points to "
                     << PathText(request.output->path) << '\n';
    }
    if (request.dropped) {
      streams.output << "Wrote the " << merged.leftOut.size() << " points left out to "
                     << PathText(request.dropped->path) << '\n';
    }
  }
  if (!request.toDevice) return exit_code::kSuccess;
  WriteSteps steps = request.steps;
  steps.backupFirst = steps.backupFirst && !request.baseIsDevice;  // the base's download left one
  return WriteImage(*device, merged.database.Image(), steps);
}

}  // namespace userdb::cli
