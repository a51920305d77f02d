#pragma once
// The merge command's options as the command line takes them, and the request they make.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "cli/file_messages.h"
#include "cli/merge_command.h"

namespace userdb::cli {

struct MergeArguments {
  std::vector<std::string> sources;  // [BASE] LIST...
  std::string listFormat;
  std::string output;
  std::string outputFormat;
  std::string dropped;
  std::string droppedFormat;
  bool toDevice = false;
  bool yes = false;
  bool noVerify = false;
  bool noBackup = false;
  double within = 30;
  bool preferList = false;
  std::string near;
  double radiusKm = 0;
  std::string box;
  std::string source;
  std::string replace;
  std::string along;
  double corridorKm = 0;
  std::string fit;
  std::string sort;
  bool dryRun = false;
};

CLI::App* AddMergeCommand(CLI::App& app, MergeArguments& arguments);

// The request, or none with what is wrong said in complaints (a usage error).
std::optional<MergeRequest> MergeRequestOf(const MergeArguments& arguments, const CLI::App& command,
                                           const formats::ListOptions& listOptions, files::Complaints& complaints);

}  // namespace userdb::cli
