#include "cli/cli_commands.h"

#include <algorithm>

#include "app/device_labels.h"
#include "app/read_back.h"
#include "app/unfinished_write.h"
#include "app/user_messages.h"
#include "base/path_text.h"
#include "cli/cli_seat.h"
#include "cli/exit_codes.h"
#include "device/command_frames.h"
#include "device/device_information.h"
#include "device/download.h"
#include "device/line_texts.h"
#include "device/port_scan.h"
#include "device/upload.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb::cli {
namespace {

// What a conversation moves in the direction that makes it long; the rest is a few dozen bytes.
constexpr std::size_t kDownloadedBytes =
    line::kDeviceBanner.size() + line::kUpdateAnswer.size() + kDownloadHeaderSize + kImageSize;
constexpr std::size_t kUploadedBytes =
    line::kUpdateRequest.size() + kCommandFrameSize + kImageSize + line::kExitMessage.size();

// The device link of one command, with the command line's seat on it.
class Conversations {
 public:
  explicit Conversations(const CommandContext& context)
      : context_(context), link_(context.state.link), seat_(context.errors, context.portPath) {}

  ConnectResult Connect(int portNumber) { return userdb::Connect(link_, portNumber, seat_); }
  ConnectResult Connect() { return Connect(context_.portNumber); }
  DownloadResult Download(std::string label) {
    Expect(std::move(label), TransferDirection::FromDevice, kDownloadedBytes);
    return userdb::Download(link_, context_.portNumber, seat_);
  }
  UploadOutcome Upload(const TransferImage& image) {
    Expect("upload", TransferDirection::ToDevice, kUploadedBytes);
    return userdb::Upload(link_, context_.portNumber, image, seat_);
  }
  std::optional<int> FindDevicePort() { return userdb::FindDevicePort(link_); }

 private:
  void Expect(std::string label, TransferDirection direction, std::size_t total) const {
    if (context_.progress != nullptr) context_.progress->Expect(std::move(label), direction, total);
  }

  const CommandContext& context_;
  DeviceLink& link_;
  CommandLineSeat seat_;
};

void Tell(const CommandContext& context, std::string_view text) { context.errors << "userdb: " << text << '\n'; }

// What a download that failed says; whether it succeeded.
bool Downloaded(const CommandContext& context, const DownloadResult& result) {
  if (result.outcome == DownloadOutcome::Incomplete) Tell(context, message::kDownloadFailed);
  return result.outcome == DownloadOutcome::Complete;
}

// The copy of the device every download leaves; where it went when asked to say so, unless
// quiet. The file, or nothing when none was kept (the reason told).
std::optional<std::filesystem::path> KeepBackup(const CommandContext& context, const TransferImage& image,
                                                bool sayWhere = true, BackupReason reason = BackupReason::Download) {
  if (context.state.backups == nullptr) return std::nullopt;
  const KeepResult kept = context.state.backups->Keep(image, std::nullopt, reason);
  if (!kept) {
    Tell(context, kept.message);
    return std::nullopt;
  }
  if (sayWhere && !context.quiet) context.output << "Kept a copy of the device in " << PathText(kept.file) << '\n';
  return kept.file;
}

// The exit status that ends a write before it starts, or where the backup from before it went.
struct BackedUp {
  int status = exit_code::kSuccess;
  std::optional<std::filesystem::path> file;
};

// A download whose only purpose is the backup from before a write: the record of the write names
// this copy rather than keeping another, so the file told stays where it was told.
BackedUp BackUpDevice(const CommandContext& context) {
  if (context.state.backups == nullptr) return {};
  const DownloadResult result = Conversations(context).Download("backup");
  if (!Downloaded(context, result)) {
    Tell(context, "the device could not be read for a backup; nothing was written");
    return {exit_code::kDeviceFailure, std::nullopt};
  }
  context.state.deviceImage = result.image;
  std::optional<std::filesystem::path> kept = KeepBackup(context, result.image, true, BackupReason::BeforeWrite);
  if (!kept) {
    Tell(context, "nothing was written (--no-backup writes without a backup)");
    return {exit_code::kFileProblem, std::nullopt};
  }
  return {exit_code::kSuccess, std::move(kept)};
}

// Before the first byte goes out, so that a write that breaks off is found on the next connect.
// One that cannot be recorded is told, and the write goes on as it would without.
void RecordWrite(const CommandContext& context, const TransferImage& image,
                 const std::optional<std::filesystem::path>& backupBefore) {
  if (context.state.journal == nullptr) return;
  const JournalResult recorded =
      context.state.journal->Record(WriteToRecord(context.state, PortName(context), image, backupBefore));
  if (!recorded) Tell(context, recorded.message);
}

int WriteToDevice(const CommandContext& context, const TransferImage& image, const WriteSteps& steps,
                  const std::optional<std::filesystem::path>& backupBefore) {
  if (!context.confirm(message::kConfirmUpload)) {
    Tell(context, "nothing was written");
    return exit_code::kDeviceFailure;
  }
  WriteJournal* journal = steps.record ? context.state.journal : nullptr;
  const std::optional<UnfinishedWrite> earlier = journal != nullptr ? journal->Pending() : std::nullopt;
  if (steps.record) RecordWrite(context, image, backupBefore);
  switch (Conversations(context).Upload(image)) {
    case UploadOutcome::Succeeded:
      if (!context.quiet) Tell(context, message::kUploadSucceeded);
      return exit_code::kSuccess;
    case UploadOutcome::ChecksumError:
      Tell(context, message::kChecksumError);
      break;
    case UploadOutcome::Failed:
      Tell(context, message::kNotResponding);
      break;
    case UploadOutcome::NotConnected:
      // The device never came into update mode and took nothing: no write to put right.
      if (journal != nullptr) PutBackRecord(*journal, earlier);
      break;
  }
  return exit_code::kDeviceFailure;
}

int ReadBack(const CommandContext& context, const TransferImage& sent) {
  const DownloadResult result = Conversations(context).Download("verify");
  if (!Downloaded(context, result)) {
    Tell(context, "the device confirmed the write, but reading it back failed");
    return exit_code::kDeviceFailure;
  }
  KeepBackup(context, result.image, false);  // what was just written: the backup before it is told
  context.state.deviceImage = result.image;
  if (const auto difference = FirstDifference(sent, result.image)) {
    Tell(context, "the device holds other bytes than were sent, first at " + *difference);
    return exit_code::kVerifyMismatch;
  }
  if (context.state.journal != nullptr) context.state.journal->Clear();
  if (!context.quiet) context.output << "Read back and verified all " << kImageSize << " bytes\n";
  return exit_code::kSuccess;
}

// The four labels as the window shows them after this connect, in the window's order.
void PrintLabels(const CommandContext& context, const DeviceInfo& info) {
  const std::vector<LabelText> shown = InformationLabels(info);
  for (int label :
       {ids::kSerialNumberLabel, ids::kDatabaseVersionLabel, ids::kFirmwareVersionLabel, ids::kHardwareVersionLabel}) {
    const auto told =
        std::find_if(shown.begin(), shown.end(), [label](const LabelText& text) { return text.controlId == label; });
    context.output << (told != shown.end() ? told->text : MainFormTemplate().Find(label)->text) << '\n';
  }
}

}  // namespace

std::string PortName(const CommandContext& context) {
  return context.portPath.value_or(ComPortName(context.portNumber));
}

DeviceRead ReadDevice(const CommandContext& context) {
  const DownloadResult result = Conversations(context).Download("download");
  if (!Downloaded(context, result)) return {};
  DeviceRead read;
  read.database.emplace();
  read.database->SetImage(result.image);
  read.database->speedUnit = result.unit;
  context.state.deviceImage = result.image;
  read.backedUp = KeepBackup(context, result.image).has_value();
  return read;
}

int WriteImage(const CommandContext& context, const TransferImage& image, const WriteSteps& steps) {
  const BackedUp backedUp = steps.backupFirst ? BackUpDevice(context) : BackedUp{};
  if (backedUp.status != exit_code::kSuccess) return backedUp.status;
  const int written = WriteToDevice(context, image, steps, backedUp.file);
  if (written != exit_code::kSuccess || !steps.verify) return written;
  return ReadBack(context, image);
}

int RunInfo(const CommandContext& context) {
  const ConnectResult result = Conversations(context).Connect();
  switch (result.outcome) {
    case ConnectOutcome::Answered:
      PrintLabels(context, result.info);
      return exit_code::kSuccess;
    case ConnectOutcome::Unfinished:
      Tell(context, message::kNotResponding);
      break;
    case ConnectOutcome::NotConnected:
      break;
  }
  return exit_code::kDeviceFailure;
}

int RunDownload(const CommandContext& context, const DownloadRequest& request) {
  const DownloadResult result = Conversations(context).Download("download");
  if (!Downloaded(context, result)) return exit_code::kDeviceFailure;
  UserDatabase database;
  database.SetImage(result.image);
  database.speedUnit = result.unit;
  files::Changes changes;
  const files::SaveResult saved =
      files::SavePointsFile(request.file, request.format, database, request.options, &changes);
  if (!saved) {
    PrintComplaints(context.errors, saved.complaints);
    return exit_code::kFileProblem;
  }
  TellChanges(context.errors, changes, context.explain);
  if (!context.quiet) {
    context.output << "Saved " << formats::PointCount(database) << " points to " << PathText(request.file) << '\n';
  }
  KeepBackup(context, result.image);
  return exit_code::kSuccess;
}

int RunUpload(const CommandContext& context, const UploadRequest& request) {
  files::LoadRequest load = request.load;
  load.forDevice = true;
  files::Changes changes;
  const files::FileResult<formats::PointsFile> points = files::LoadPointsFile(request.file, load, &changes);
  if (!points) {
    PrintComplaints(context.errors, points.complaints);
    Tell(context, "nothing was sent to the device");
    return exit_code::kFileProblem;
  }
  TellChanges(context.errors, changes, context.explain);
  return WriteImage(context, points.value.database.Image(), request.steps);
}

int RunScan(const CommandContext& context) {
  Conversations conversations(context);
  const std::optional<int> found = conversations.FindDevicePort();
  if (!found) {
    context.output << message::kAutoScanNotFound << '\n';
    return exit_code::kDeviceFailure;
  }
  if (conversations.Connect(*found).outcome == ConnectOutcome::Unfinished) Tell(context, message::kNotResponding);
  context.output << message::kAutoScanFound << *found << '\n';
  return exit_code::kSuccess;
}

}  // namespace userdb::cli
