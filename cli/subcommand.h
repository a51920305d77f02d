#pragma once
// One subcommand of userdb: it adds itself and its options to the command line, and runs once
// the command line names it.

#include <CLI/CLI.hpp>

#include "cli/global_options.h"

namespace userdb::cli {

class Subcommand {
 public:
  virtual ~Subcommand() = default;

  // The subcommand as added to app, which keeps it; its options are bound to this object.
  virtual CLI::App* AddTo(CLI::App& app) = 0;
  // The process's exit status.
  virtual int Run(const GlobalOptions& global) = 0;
};

}  // namespace userdb::cli
