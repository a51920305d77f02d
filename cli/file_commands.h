#pragma once
// export and import: from one file format to another, without a device.

#include <filesystem>
#include <ostream>

#include "cli/file_messages.h"

namespace userdb::cli {

struct Conversion {
  std::filesystem::path input;
  files::LoadRequest load;  // import asks for the device's rules, so that the result can be uploaded
  std::filesystem::path output;
  formats::FileFormat outputFormat = formats::FileFormat::Image;
  bool explain = false;  // list every change the formats made, not just their count
};

// Writes nothing when the input is refused. Returns the exit status.
int RunConversion(const Conversion& conversion, std::ostream& output, std::ostream& errors, bool quiet);

}  // namespace userdb::cli
