#include "cli/sources_subcommand.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

#include "app/source_records.h"
#include "base/path_text.h"
#include "cli/device_run.h"
#include "cli/exit_codes.h"
#include "cli/file_messages.h"
#include "files/point_files.h"
#include "storage/data_folder.h"
#include "storage/source_file.h"

namespace userdb::cli {
namespace {

constexpr const char* kDevice = "device";

std::string Row(const std::string& source, const std::string& date, const std::string& points) {
  char row[64];
  std::snprintf(row, sizeof row, "%-10s  %6s  ", date.c_str(), points.c_str());
  return row + source;
}

}  // namespace

void PrintSources(const PointSources& sources, const UserDatabase& database, std::ostream& output) {
  const std::map<std::string, SourceCount> counts = CountSources(sources, database);
  std::vector<std::pair<std::string, SourceCount>> lists;
  for (const auto& [name, count] : counts) {
    if (!name.empty()) lists.emplace_back(name, count);
  }
  std::stable_sort(lists.begin(), lists.end(),
                   [](const auto& a, const auto& b) { return a.second.date > b.second.date; });
  output << Row("Source", "Added", "Points") << '\n';
  for (const auto& [name, count] : lists) output << Row(name, count.date, std::to_string(count.points)) << '\n';
  const auto own = counts.find("");
  output << Row("(your own, or edited since)", "-", std::to_string(own == counts.end() ? 0 : own->second.points))
         << '\n';
}

CLI::App* SourcesSubcommand::AddTo(CLI::App& app) {
  CLI::App* sources = app.add_subcommand("sources", "list the camera lists a database's points came from");
  sources->add_option("BASE", base_, "`device` (the default: read from the port), a backup or any file")->type_name("");
  return sources;
}

int SourcesSubcommand::Run(const GlobalOptions& global) {
  const storage::SourceFile sources(storage::DataFolder());
  if (base_ == kDevice) {
    return RunOnDevice(global, false, DeviceUse::Reads, [&](const CommandContext& context) {
      const DeviceRead read = ReadDevice(context);
      if (!read.database) return exit_code::kDeviceFailure;
      PrintSources(sources, *read.database, context.output);
      return exit_code::kSuccess;
    });
  }
  const std::filesystem::path base = PathOfText(base_);
  const files::FileResult<formats::FileFormat> format = files::ChooseFormat(base, "", files::FileUse::Read);
  if (!format) {
    PrintComplaints(std::cerr, format.complaints);
    return exit_code::kUsage;
  }
  files::LoadRequest load;
  load.format = format.value;
  const files::FileResult<formats::PointsFile> file = files::LoadPointsFile(base, load);
  if (!file) {
    PrintComplaints(std::cerr, file.complaints);
    return exit_code::kFileProblem;
  }
  PrintSources(sources, file.value.database, std::cout);
  return exit_code::kSuccess;
}

}  // namespace userdb::cli
