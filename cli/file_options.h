#pragma once
// The options of the subcommands that read or write point files, and the requests they make.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "cli/global_options.h"
#include "files/point_files.h"

namespace userdb::cli {

inline constexpr int kNoCameraType = -1;

// name: "--format", "--from" or "--to"; what: the file it is about, such as "the file's format".
void AddFormatOption(CLI::App& command, std::string& format, const std::string& name, const std::string& what,
                     files::FileUse use);
void AddCameraTypeOption(CLI::App& command, int& cameraType);

// The format named, or else the file's extension gives; nothing, the reason told, when it
// cannot be used so.
std::optional<formats::FileFormat> ChosenFormat(const std::filesystem::path& file, const std::string& named,
                                                files::FileUse use);

formats::ListOptions ListOptionsOf(const GlobalOptions& global);
// cameraType: kNoCameraType, or the type every point of a speed-camera list gets.
files::LoadRequest LoadRequestOf(formats::FileFormat format, int cameraType, bool forDevice,
                                 const GlobalOptions& global);

}  // namespace userdb::cli
