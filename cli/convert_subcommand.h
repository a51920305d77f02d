#pragma once
// `userdb export` and `userdb import`: one file format to another, without a device; import
// also holds the points to the rules of what goes to a device.

#include <string>

#include "cli/file_options.h"
#include "cli/subcommand.h"

namespace userdb::cli {

class ConvertSubcommand final : public Subcommand {
 public:
  // checked: the points must pass the window's rules, as import's must.
  ConvertSubcommand(std::string name, std::string description, bool checked);

  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  std::string name_;
  std::string description_;
  bool checked_;
  std::string input_;
  std::string output_;
  std::string inputFormat_;
  std::string outputFormat_;
  int cameraType_ = kNoCameraType;
};

}  // namespace userdb::cli
