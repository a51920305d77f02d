#include "cli/file_commands.h"

#include "base/path_text.h"
#include "cli/exit_codes.h"

namespace userdb::cli {

int RunConversion(const Conversion& conversion, std::ostream& output, std::ostream& errors, bool quiet) {
  files::Changes changes;
  const files::FileResult<formats::PointsFile> points =
      files::LoadPointsFile(conversion.input, conversion.load, &changes);
  if (!points) {
    PrintComplaints(errors, points.complaints);
    return exit_code::kFileProblem;
  }
  const files::SaveResult saved = files::SavePointsFile(conversion.output, conversion.outputFormat,
                                                        points.value.database, conversion.load.cameras, &changes);
  if (!saved) {
    PrintComplaints(errors, saved.complaints);
    return exit_code::kFileProblem;
  }
  TellChanges(errors, changes, conversion.explain);
  if (!quiet) {
    output << "Wrote " << formats::PointCount(points.value.database) << " points to " << PathText(conversion.output)
           << '\n';
  }
  return exit_code::kSuccess;
}

}  // namespace userdb::cli
