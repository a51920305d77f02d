#pragma once
// The command line's device commands, each a thin shell over the window's own command on the
// headless window. Each returns the process's exit status (cli/exit_codes.h).

#include <filesystem>
#include <ostream>

#include "cli/cli_session.h"
#include "cli/image_file.h"
#include "cli/transfer_progress.h"
#include "device/serial_port.h"
#include "storage/backup_store.h"

namespace userdb::cli {

struct CommandContext {
  SerialPort& port;
  int portNumber = 2;
  std::ostream& output;
  std::ostream& errors;
  Confirm confirm;
  TransferProgress* progress = nullptr;     // told what each long conversation is about to move
  bool quiet = false;                       // no word of success
  storage::BackupStore* backups = nullptr;  // where downloads leave a copy of the device
  LinkEvents* events = nullptr;             // told why a port did not open, of waits and retries
  int handshakeTries = 1;
};

struct DownloadRequest {
  std::filesystem::path file;
  formats::FileFormat format = formats::FileFormat::Image;
};

struct UploadRequest {
  std::filesystem::path file;
  LoadRequest load;  // always checked for the device
  bool verify = true;
  bool backupFirst = true;  // read the device into a backup before writing over it
};

int RunInfo(const CommandContext& context);
int RunDownload(const CommandContext& context, const DownloadRequest& request);
// Refuses a file whose points break the rules before the device is touched; reads the device
// into a backup first (a device that cannot be read is not written); after the device's
// confirmation reads the image back in a new conversation and compares.
int RunUpload(const CommandContext& context, const UploadRequest& request);
int RunScan(const CommandContext& context);

}  // namespace userdb::cli
