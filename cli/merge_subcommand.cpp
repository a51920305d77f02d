#include "cli/merge_subcommand.h"

#include <iostream>

#include "cli/device_run.h"
#include "cli/exit_codes.h"
#include "storage/data_folder.h"
#include "storage/source_file.h"

namespace userdb::cli {

CLI::App* MergeSubcommand::AddTo(CLI::App& app) {
  CLI::App* merge = AddMergeCommand(app, arguments_);
  AddCameraTypeOption(*merge, cameraType_);
  command_ = merge;
  return merge;
}

int MergeSubcommand::Run(const GlobalOptions& global) {
  formats::ListOptions options = ListOptionsOf(global);
  if (cameraType_ != kNoCameraType) options.type = static_cast<std::uint8_t>(cameraType_);
  files::Complaints complaints;
  std::optional<MergeRequest> request = MergeRequestOf(arguments_, *command_, options, complaints);
  if (!request) {
    PrintComplaints(std::cerr, complaints);
    return exit_code::kUsage;
  }
  storage::SourceFile sources(storage::DataFolder());
  request->sources = &sources;
  const MergeStreams streams{std::cout, std::cerr, global.quiet, global.explain};
  if (!request->baseIsDevice && !(request->toDevice && !request->dryRun)) return RunMerge(*request, streams, nullptr);
  return RunOnDevice(global, arguments_.yes, request->toDevice ? DeviceUse::Writes : DeviceUse::Reads,
                     [&](const CommandContext& context) { return RunMerge(*request, streams, &context); });
}

}  // namespace userdb::cli
