#pragma once
// The subcommands that talk to the device: info, scan, download, upload, and what upload and
// restore share.

#include <string>

#include "cli/file_options.h"
#include "cli/subcommand.h"
#include "cli/unfinished_write_check.h"

namespace userdb::cli {

class InfoSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;
};

class ScanSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;
};

class DownloadSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  std::string output_;
  std::string format_;
};

// The flags of a subcommand that writes the device.
struct WriteFlags {
  bool yes = false;
  bool noVerify = false;
  bool noBackup = false;
};
void AddWriteFlags(CLI::App& command, WriteFlags& flags);

// Sends a file's points to the device as the flags say, once they pass the window's rules.
int UploadFile(const GlobalOptions& global, const std::string& file, const std::string& format, int cameraType,
               const WriteFlags& flags, DeviceUse use);

class UploadSubcommand final : public Subcommand {
 public:
  CLI::App* AddTo(CLI::App& app) override;
  int Run(const GlobalOptions& global) override;

 private:
  std::string file_;
  std::string format_;
  int cameraType_ = kNoCameraType;
  WriteFlags flags_;
};

}  // namespace userdb::cli
