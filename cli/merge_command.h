#pragma once
// `userdb merge`: a base (the device, a backup or any file) and camera lists, made one database
// that fits the device, written to a file or to the device.

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "app/point_sources.h"
#include "cli/cli_commands.h"
#include "cli/file_messages.h"
#include "formats/point_merge.h"

namespace userdb::cli {

struct ListFile {
  std::filesystem::path path;
  formats::FileFormat format = formats::FileFormat::SpeedCameraCsv;
};

struct MergeRequest {
  std::optional<ListFile> base;  // a file; none for the device's database or for lists alone
  bool baseIsDevice = false;
  std::vector<ListFile> lists;
  formats::ListOptions listOptions;
  formats::MergeOptions merge;
  std::optional<ListFile> output;
  std::optional<ListFile> dropped;  // a format that CanWriteList
  bool toDevice = false;
  WriteSteps steps;
  bool dryRun = false;
  std::string sourceName;              // what the lists' points are recorded under
  std::optional<std::string> replace;  // the list whose points in the base go first
  PointSources* sources = nullptr;     // where points are known by their list; none: all are the driver's
};

struct MergeStreams {
  std::ostream& output;
  std::ostream& errors;
  bool quiet = false;
  bool explain = false;
};

// device is the device's command context when the base is the device or the result goes to it,
// else null. Reads every list before the device is touched; writes nothing when a file is
// refused, the merge does not fit, or the result breaks the rules of what goes to a device.
int RunMerge(const MergeRequest& request, const MergeStreams& streams, const CommandContext* device);

}  // namespace userdb::cli
