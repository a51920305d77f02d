#pragma once
// `userdb sources [BASE]`: which lists the points of a database came from, and how many of each
// it still holds as the list gave them.

#include <ostream>
#include <string>

#include "app/point_sources.h"
#include "cli/subcommand.h"
#include "database/user_database.h"

namespace userdb::cli {

// A line a source, the newest first added, then the driver's own points.
void PrintSources(const PointSources& sources, const UserDatabase& database, std::ostream& output);

class SourcesSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  std::string base_ = "device";
};

}  // namespace userdb::cli
