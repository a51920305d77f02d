#include "cli/file_options.h"

#include <iostream>

#include "cli/file_messages.h"

namespace userdb::cli {

void AddFormatOption(CLI::App& command, std::string& format, const std::string& name, const std::string& what,
                     files::FileUse use) {
  command.add_option(name, format, what + " (default: by the file's extension)")
      ->check(CLI::IsMember(formats::FormatNames(use == files::FileUse::Write)))
      ->type_name("FORMAT");
}

void AddCameraTypeOption(CLI::App& command, int& cameraType) {
  command.add_option("--camera-type", cameraType, "store every point of a speed-camera list with this type")
      ->check(CLI::Range(0, 1))
      ->type_name("N");
}

std::optional<formats::FileFormat> ChosenFormat(const std::filesystem::path& file, const std::string& named,
                                                files::FileUse use) {
  const files::FileResult<formats::FileFormat> format = files::ChooseFormat(file, named, use);
  PrintComplaints(std::cerr, format.complaints);
  return format ? std::optional(format.value) : std::nullopt;
}

formats::ListOptions ListOptionsOf(const GlobalOptions& global) {
  formats::ListOptions options;
  options.mph = global.mph;
  return options;
}

files::LoadRequest LoadRequestOf(formats::FileFormat format, int cameraType, bool forDevice,
                                 const GlobalOptions& global) {
  files::LoadRequest load;
  load.format = format;
  load.cameras = ListOptionsOf(global);
  if (cameraType != kNoCameraType) load.cameras.type = static_cast<std::uint8_t>(cameraType);
  load.forDevice = forDevice;
  return load;
}

}  // namespace userdb::cli
