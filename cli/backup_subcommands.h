#pragma once
// `userdb backups`, `userdb restore` and `userdb resume`: the subcommands of the copies
// downloads kept and of a write that did not finish.

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
  bool beforeWrite_ = false;
  WriteFlags flags_;
};

class ResumeSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  bool yes_ = false;
};

}  // namespace userdb::cli
