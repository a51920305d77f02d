#pragma once
// `userdb merge` on the command line: its arguments, and the device only when the merge needs it.

#include "cli/file_options.h"
#include "cli/merge_arguments.h"
#include "cli/subcommand.h"

namespace userdb::cli {

class MergeSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  MergeArguments arguments_;
  int cameraType_ = kNoCameraType;
  const CLI::App* command_ = nullptr;
};

}  // namespace userdb::cli
