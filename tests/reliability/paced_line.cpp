#include "tests/reliability/paced_line.h"

#include <map>

#include <unistd.h>

#include "app/connect_command.h"
#include "app/download_command.h"
#include "app/main_form.h"
#include "app/port_scan_command.h"
#include "app/upload_command.h"
#include "app/user_messages.h"
#include "device/device_information.h"
#include "device/download.h"
#include "device/port_scan.h"
#include "device/upload.h"
#include "sim/sample_memory.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb::test {
namespace {

bool RunCommand(Command command, ProgramState& state, HeadlessWindow& window) {
  switch (command) {
    case Command::Connect:
      return ConnectCommand(state, window);
    case Command::Download:
      return DownloadDatabase(state, window);
    case Command::Upload:
      ExitAndWrite(state, window);
      return window.IsClosed() && window.TextOf(ids::kStatusBox) == message::kUploadSucceeded;
    case Command::Scan:
      return PortScan(state, window).has_value();
  }
  return false;
}

bool IsUploadQuestion(const MessageBoxRequest& box) { return box.text == message::kConfirmUpload; }

}  // namespace

std::string CommandName(Command command) {
  switch (command) {
    case Command::Connect:
      return "Open COM Port";
    case Command::Download:
      return "Load user database";
    case Command::Upload:
      return "EXIT and write";
    case Command::Scan:
      return "Auto Open COM Port";
  }
  return "?";
}

PacedLine::PacedLine()
    : device(sim::SampleMemory(), sim::DeviceTiming{sim::kPacedByteTime, kEraseDelay}),
      port(clock, sim::kPacedByteTime),
      state(port) {
  port.Attach(kDevicePort, device);
  port.SetLineFaults(&damage);
  InitialiseMainForm(state, window);
}

PacedLine::~PacedLine() {
  if (dataFolder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(dataFolder_, ignored);
}

void PacedLine::KeepUserFiles() {
  static int lines = 0;
  dataFolder_ = std::filesystem::temp_directory_path() /
                ("userdb-matrix-" + std::to_string(::getpid()) + "-" + std::to_string(++lines));
  std::filesystem::remove_all(dataFolder_);
  files = std::make_unique<storage::UserFiles>(dataFolder_);
  files->ServeTo(state);
}

void PacedLine::Load() {
  ConnectCommand(state, window);
  DownloadDatabase(state, window);
}

CommandRun PacedLine::Run(Command command) {
  const std::size_t boxesBefore = window.Boxes().size();
  const Instant start = clock.Now();
  CommandRun run;
  run.succeeded = RunCommand(command, state, window);
  run.elapsed = clock.Now() - start;
  for (std::size_t i = boxesBefore; i < window.Boxes().size(); ++i) {
    if (!IsUploadQuestion(window.Boxes()[i])) run.boxes.push_back(window.Boxes()[i]);
  }
  return run;
}

WindowSnapshot PacedLine::Snapshot() const {
  WindowSnapshot snapshot{state.database.Image(), state.database.speedUnit, state.page.current, {}, {},
                          window.IsClosed()};
  for (const ControlEntry& control : MainFormTemplate().controls) {
    if (control.id == ids::kStatic) continue;
    snapshot.texts.push_back(window.TextOf(control.id));
    snapshot.enabled.push_back(window.IsEnabled(control.id));
  }
  return snapshot;
}

std::vector<std::uint8_t> PacedLine::DeviceImage() const {
  return {device.Memory().image.begin(), device.Memory().image.end()};
}

Duration CleanTime(Command command) {
  static std::map<Command, Duration> measured;
  const auto known = measured.find(command);
  if (known != measured.end()) return known->second;
  PacedLine line;
  if (command != Command::Connect && command != Command::Scan) line.Load();
  return measured[command] = line.Run(command).elapsed;
}

std::string BoxTexts(const std::vector<MessageBoxRequest>& boxes) {
  if (boxes.empty()) return "no message";
  std::string texts;
  for (const MessageBoxRequest& box : boxes) texts += (texts.empty() ? "\"" : " / \"") + box.text + "\"";
  return texts;
}

}  // namespace userdb::test
