#pragma once
// `userdb ports`: the COM numbers that lead to a device here, or one of them pinned to a device.

#include <string>
#include <vector>

#include "cli/subcommand.h"

namespace userdb::cli {

class PortsSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  bool json_ = false;
  std::vector<std::string> pin_;  // N PATH
};

}  // namespace userdb::cli
