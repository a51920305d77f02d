#include "cli/cli_commands.h"

#include "app/control_ids.h"
#include "cli/exit_codes.h"
#include "cli/read_back.h"
#include "database/page_view.h"
#include "device/command_frames.h"
#include "device/device_information.h"
#include "device/download.h"
#include "device/line_texts.h"
#include "device/port_scan.h"
#include "device/user_messages.h"

namespace userdb::cli {
namespace {

// What a conversation moves in the direction that makes it long; the rest is a few dozen bytes.
constexpr std::size_t kDownloadedBytes =
    line::kDeviceBanner.size() + line::kUpdateAnswer.size() + kDownloadHeaderSize + kImageSize;
constexpr std::size_t kUploadedBytes =
    line::kUpdateRequest.size() + kCommandFrameSize + kImageSize + line::kExitMessage.size();

CliSession MakeSession(const CommandContext& context) {
  return CliSession(context.port, context.portNumber, {context.output, context.errors, context.quiet}, context.confirm,
                    {context.backups, context.events, context.handshakeTries});
}

void Expect(const CommandContext& context, std::string label, TransferDirection direction, std::size_t total) {
  if (context.progress != nullptr) context.progress->Expect(std::move(label), direction, total);
}

// Whether the last download left a new backup; says where, unless quiet.
bool TellBackup(const CommandContext& context, const std::optional<std::filesystem::path>& before) {
  if (context.backups == nullptr) return false;
  const std::optional<std::filesystem::path>& kept = context.backups->LastKept();
  if (!kept || kept == before) return false;
  if (!context.quiet) context.output << "Kept a copy of the device in " << kept->string() << '\n';
  return true;
}

// A download whose only purpose is the backup that every download leaves.
int BackUpDevice(const CommandContext& context) {
  if (context.backups == nullptr) return exit_code::kSuccess;
  const std::optional<std::filesystem::path> before = context.backups->LastKept();
  CliSession session = MakeSession(context);
  Expect(context, "backup", TransferDirection::FromDevice, kDownloadedBytes);
  if (!DownloadDatabase(session.State(), session.MainWindow())) {
    context.errors << "userdb: the device could not be read for a backup; nothing was written\n";
    return exit_code::kDeviceFailure;
  }
  if (!TellBackup(context, before)) {
    context.errors << "userdb: nothing was written (--no-backup writes without a backup)\n";
    return exit_code::kFileProblem;
  }
  return exit_code::kSuccess;
}

int WriteToDevice(const CommandContext& context, const TransferImage& image) {
  CliSession session = MakeSession(context);
  HeadlessWindow& window = session.MainWindow();
  session.State().database.SetImage(image);
  ShowPage(session.State().database, window);  // the image is now the loaded database
  Expect(context, "upload", TransferDirection::ToDevice, kUploadedBytes);
  session.Router().Click(ids::kExitAndWrite);
  if (window.IsClosed() && window.TextOf(ids::kStatusBox) == message::kUploadSucceeded) return exit_code::kSuccess;
  if (window.IsClosed()) context.errors << "userdb: nothing was written\n";
  return exit_code::kDeviceFailure;
}

int ReadBack(const CommandContext& context, const TransferImage& sent) {
  CliSession session = MakeSession(context);
  Expect(context, "verify", TransferDirection::FromDevice, kDownloadedBytes);
  if (!DownloadDatabase(session.State(), session.MainWindow())) {
    context.errors << "userdb: the device confirmed the write, but reading it back failed\n";
    return exit_code::kDeviceFailure;
  }
  if (const auto difference = FirstDifference(sent, session.State().database.Image())) {
    context.errors << "userdb: the device holds other bytes than were sent, first at " << *difference << '\n';
    return exit_code::kVerifyMismatch;
  }
  if (!context.quiet) context.output << "Read back and verified all " << kImageSize << " bytes\n";
  return exit_code::kSuccess;
}

}  // namespace

int RunInfo(const CommandContext& context) {
  CliSession session = MakeSession(context);
  if (!ConnectCommand(session.State(), session.MainWindow())) return exit_code::kDeviceFailure;
  for (int label :
       {ids::kSerialNumberLabel, ids::kDatabaseVersionLabel, ids::kFirmwareVersionLabel, ids::kHardwareVersionLabel}) {
    context.output << session.MainWindow().TextOf(label) << '\n';
  }
  return exit_code::kSuccess;
}

int RunDownload(const CommandContext& context, const DownloadRequest& request) {
  const std::optional<std::filesystem::path> backupBefore =
      context.backups != nullptr ? context.backups->LastKept() : std::nullopt;
  CliSession session = MakeSession(context);
  Expect(context, "download", TransferDirection::FromDevice, kDownloadedBytes);
  if (!DownloadDatabase(session.State(), session.MainWindow())) return exit_code::kDeviceFailure;
  const UserDatabase& database = session.State().database;
  Complaints complaints;
  if (!SavePointsFile(request.file, request.format, database, complaints)) {
    PrintComplaints(context.errors, complaints);
    return exit_code::kFileProblem;
  }
  if (!context.quiet) {
    context.output << "Saved " << formats::PointCount(database) << " points to " << request.file.string() << '\n';
  }
  TellBackup(context, backupBefore);
  return exit_code::kSuccess;
}

int RunUpload(const CommandContext& context, const UploadRequest& request) {
  LoadRequest load = request.load;
  load.forDevice = true;
  Complaints complaints;
  const std::optional<formats::PointsFile> points = LoadPointsFile(request.file, load, complaints);
  if (!points) {
    PrintComplaints(context.errors, complaints);
    context.errors << "userdb: nothing was sent to the device\n";
    return exit_code::kFileProblem;
  }
  if (request.backupFirst) {
    if (const int backedUp = BackUpDevice(context); backedUp != exit_code::kSuccess) return backedUp;
  }
  const TransferImage image = points->database.Image();
  const int written = WriteToDevice(context, image);
  if (written != exit_code::kSuccess || !request.verify) return written;
  return ReadBack(context, image);
}

int RunScan(const CommandContext& context) {
  CliSession session = MakeSession(context);
  return PortScan(session.State(), session.MainWindow()) ? exit_code::kSuccess : exit_code::kDeviceFailure;
}

}  // namespace userdb::cli
