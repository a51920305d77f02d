#pragma once
// The command line's device commands: each holds the device conversations the window's command
// would, tells what happens on the way through the command line's seat, and returns the
// process's exit status (cli/exit_codes.h) from the conversations' typed results.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/program_state.h"
#include "cli/file_messages.h"
#include "cli/transfer_progress.h"

namespace userdb::cli {

using Confirm = std::function<bool(std::string_view question)>;

struct CommandContext {
  ProgramState& state;  // the link every conversation runs on, and where downloads leave a copy
  int portNumber = 2;
  std::ostream& output;
  std::ostream& errors;
  Confirm confirm;
  TransferProgress* progress = nullptr;                // told what each long conversation is about to move
  bool quiet = false;                                  // no word of success
  std::optional<std::string> portPath = std::nullopt;  // the device path --port named, if any
  bool explain = false;                                // list every change the formats made, not just their count
};

struct DownloadRequest {
  std::filesystem::path file;
  formats::FileFormat format = formats::FileFormat::Image;
  formats::ListOptions options = {};
};

// What a command that writes the device does around the write, after the confirmation.
struct WriteSteps {
  bool backupFirst = true;  // read the device into a backup before writing over it
  bool verify = true;       // read the image back in a new conversation and compare
  // Record the write as unfinished until it reads back; a write that puts an unfinished one
  // right keeps that record as it is.
  bool record = true;
};

struct UploadRequest {
  std::filesystem::path file;
  files::LoadRequest load;  // always checked for the device
  WriteSteps steps;
};

// How the records of unfinished writes name the line of this command.
std::string PortName(const CommandContext& context);

// The device's database; none when it could not be read (told). Leaves the backup every
// download leaves; backedUp says whether it did.
struct DeviceRead {
  std::optional<UserDatabase> database;
  bool backedUp = false;
};
DeviceRead ReadDevice(const CommandContext& context);

// Asks, backs up, writes and verifies as steps say; the exit status.
int WriteImage(const CommandContext& context, const TransferImage& image, const WriteSteps& steps);

int RunInfo(const CommandContext& context);
int RunDownload(const CommandContext& context, const DownloadRequest& request);
// Refuses a file whose points break the rules before the device is touched; reads the device
// into a backup first (a device that cannot be read is not written); after the device's
// confirmation reads the image back in a new conversation and compares.
int RunUpload(const CommandContext& context, const UploadRequest& request);
int RunScan(const CommandContext& context);

}  // namespace userdb::cli
