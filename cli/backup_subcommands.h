#pragma once
// `userdb backups` and `userdb restore`: the subcommands of the copies downloads kept.

#include <string>

#include "cli/device_subcommands.h"

namespace userdb::cli {

class BackupsSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;
};

class RestoreSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  std::string which_;
  WriteFlags flags_;
};

}  // namespace userdb::cli
