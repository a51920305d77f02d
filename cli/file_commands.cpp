#include "cli/file_commands.h"

#include "cli/exit_codes.h"

namespace userdb::cli {

int RunConversion(const Conversion& conversion, std::ostream& output, std::ostream& errors, bool quiet) {
  Complaints complaints;
  const std::optional<formats::PointsFile> points = LoadPointsFile(conversion.input, conversion.load, complaints);
  if (!points || !SavePointsFile(conversion.output, conversion.outputFormat, points->database, complaints)) {
    PrintComplaints(errors, complaints);
    return exit_code::kFileProblem;
  }
  if (!quiet) {
    output << "Wrote " << formats::PointCount(points->database) << " points to " << conversion.output.string() << '\n';
  }
  return exit_code::kSuccess;
}

}  // namespace userdb::cli
