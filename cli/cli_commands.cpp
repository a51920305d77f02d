#include "cli/cli_commands.h"

#include "app/control_ids.h"
#include "cli/image_file.h"
#include "database/page_view.h"
#include "device/device_information.h"
#include "device/download.h"
#include "device/port_scan.h"
#include "device/user_messages.h"

namespace userdb::cli {
namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

CliSession MakeSession(const CommandContext& context) {
  return CliSession(context.port, context.portNumber, context.output, context.errors, context.confirm);
}

std::size_t CountPoints(const UserDatabase& database) {
  std::size_t count = 0;
  for (std::size_t k = 0; k < kRecordCount; ++k) count += database.Point(k).IsEmpty() ? 0 : 1;
  return count;
}

}  // namespace

int RunInfo(const CommandContext& context) {
  CliSession session = MakeSession(context);
  if (!ConnectCommand(session.State(), session.MainWindow())) return kFailure;
  for (int label : {ids::kSerialNumberLabel, ids::kDatabaseVersionLabel, ids::kFirmwareVersionLabel,
                    ids::kHardwareVersionLabel}) {
    context.output << session.MainWindow().TextOf(label) << '\n';
  }
  return kSuccess;
}

int RunDownload(const CommandContext& context, const std::filesystem::path& outputFile) {
  CliSession session = MakeSession(context);
  if (!DownloadDatabase(session.State(), session.MainWindow())) return kFailure;
  const UserDatabase& database = session.State().database;
  std::string error;
  if (!WriteFileAtomically(outputFile, database.Image(), error)) {
    context.errors << "userdb: " << error << '\n';
    return kFailure;
  }
  context.output << "Saved " << CountPoints(database) << " points to " << outputFile.string() << '\n';
  return kSuccess;
}

int RunUpload(const CommandContext& context, const std::filesystem::path& inputFile) {
  std::string error;
  const std::optional<TransferImage> image = ReadImageFile(inputFile, error);
  if (!image) {
    context.errors << "userdb: " << error << '\n';
    return kFailure;
  }
  CliSession session = MakeSession(context);
  HeadlessWindow& window = session.MainWindow();
  session.State().database.SetImage(*image);
  ShowPage(session.State().database, window);  // the image is now the loaded database
  session.Router().Click(ids::kExitAndWrite);
  if (window.IsClosed() && window.TextOf(ids::kStatusBox) == message::kUploadSucceeded) return kSuccess;
  if (window.IsClosed()) context.errors << "userdb: nothing was written\n";
  return kFailure;
}

int RunScan(const CommandContext& context) {
  CliSession session = MakeSession(context);
  return PortScan(session.State(), session.MainWindow()) ? kSuccess : kFailure;
}

}  // namespace userdb::cli
