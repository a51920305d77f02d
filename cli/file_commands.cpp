#include "cli/file_commands.h"

#include "cli/exit_codes.h"

namespace userdb::cli {

int RunConversion(const Conversion& conversion, std::ostream& output, std::ostream& errors, bool quiet) {
  files::Complaints complaints;
  files::Changes changes;
  const std::optional<formats::PointsFile> points =
      files::LoadPointsFile(conversion.input, conversion.load, complaints, &changes);
  if (!points || !files::SavePointsFile(conversion.output, conversion.outputFormat, points->database, complaints,
                                        conversion.load.cameras, &changes)) {
    PrintComplaints(errors, complaints);
    return exit_code::kFileProblem;
  }
  TellChanges(errors, changes, conversion.explain);
  if (!quiet) {
    output << "Wrote " << formats::PointCount(points->database) << " points to " << conversion.output.string() << '\n';
  }
  return exit_code::kSuccess;
}

}  // namespace userdb::cli
