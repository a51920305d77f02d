#include "cli/device_subcommands.h"

#include "base/path_text.h"
#include "cli/device_run.h"
#include "cli/exit_codes.h"

namespace userdb::cli {

CLI::App* InfoSubcommand::AddTo(CLI::App& app) {
  return app.add_subcommand("info", "show the device's serial number and versions");
}

int InfoSubcommand::Run(const GlobalOptions& global) { return RunOnDevice(global, false, DeviceUse::Reads, RunInfo); }

CLI::App* ScanSubcommand::AddTo(CLI::App& app) {
  return app.add_subcommand("scan", "look for the device on COM1 to COM256");
}

// A scan takes the ports as they are: a wait would hold it at the first one missing.
int ScanSubcommand::Run(const GlobalOptions& global) {
  GlobalOptions asTheyAre = global;
  asTheyAre.wait = 0;
  return RunOnDevice(asTheyAre, false, DeviceUse::Reads, RunScan);
}

CLI::App* DownloadSubcommand::AddTo(CLI::App& app) {
  CLI::App* download = app.add_subcommand("download", "save the device's database to a file");
  download->add_option("--output,-o", output_, "the file to write: .bin, .csv, .gpx or .kml")
      ->required()
      ->type_name("FILE");
  AddFormatOption(*download, format_, "--format", "the file's format", files::FileUse::Write);
  return download;
}

int DownloadSubcommand::Run(const GlobalOptions& global) {
  const std::filesystem::path output = PathOfText(output_);
  const std::optional<formats::FileFormat> format = ChosenFormat(output, format_, files::FileUse::Write);
  if (!format) return exit_code::kUsage;
  return RunOnDevice(global, false, DeviceUse::Reads, [&](const CommandContext& context) {
    return RunDownload(context, DownloadRequest{output, *format, ListOptionsOf(global)});
  });
}

void AddWriteFlags(CLI::App& command, WriteFlags& flags) {
  command.add_flag("--yes,-y", flags.yes, "do not ask before writing");
  command.add_flag("--no-verify", flags.noVerify, "do not read the database back after the device confirmed");
  command.add_flag("--no-backup", flags.noBackup, "do not read the device into a backup before writing over it");
}

int UploadFile(const GlobalOptions& global, const std::string& file, const std::string& format, int cameraType,
               const WriteFlags& flags, DeviceUse use) {
  const std::filesystem::path path = PathOfText(file);
  const std::optional<formats::FileFormat> chosen = ChosenFormat(path, format, files::FileUse::Read);
  if (!chosen) return exit_code::kUsage;
  const UploadRequest request{
      path, LoadRequestOf(*chosen, cameraType, true, global), {!flags.noBackup, !flags.noVerify}};
  return RunOnDevice(global, flags.yes, use,
                     [&](const CommandContext& context) { return RunUpload(context, request); });
}

CLI::App* UploadSubcommand::AddTo(CLI::App& app) {
  CLI::App* upload = app.add_subcommand("upload", "write a file's points to the device, then read them back to verify");
  upload->add_option("FILE", file_, "the file to send: .bin, .csv (also a speed-camera list) or .gpx")
      ->required()
      ->type_name("");
  AddFormatOption(*upload, format_, "--format", "the file's format", files::FileUse::Read);
  AddCameraTypeOption(*upload, cameraType_);
  AddWriteFlags(*upload, flags_);
  return upload;
}

int UploadSubcommand::Run(const GlobalOptions& global) {
  return UploadFile(global, file_, format_, cameraType_, flags_, DeviceUse::Writes);
}

}  // namespace userdb::cli
