#pragma once
// The main window's commands against a simulated device on a line paced at 115200 baud, on
// the virtual clock: what a command shows, how long it takes and what it leaves behind.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/line_damage.h"
#include "sim/virtual_clock.h"
#include "storage/user_files.h"
#include "window/window.h"

namespace userdb::test {

enum class Command { Connect, Download, Upload, Scan };
std::string CommandName(Command command);

// What the user sees of the window and the database behind it, to tell what a command changed.
struct WindowSnapshot {
  TransferImage image{};
  std::uint8_t unit = 0;
  std::uint16_t page = 0;
  std::vector<std::string> texts;  // every addressable control, in template order
  std::vector<bool> enabled;
  bool closed = false;
  bool operator==(const WindowSnapshot&) const = default;
};

struct CommandRun {
  Duration elapsed{};
  bool succeeded = false;
  std::vector<MessageBoxRequest> boxes;  // shown during the command, the upload's question excluded
};

class PacedLine {
 public:
  static constexpr int kDevicePort = 2;  // COM002, selected at start
  static constexpr std::chrono::milliseconds kEraseDelay{500};

  PacedLine();
  ~PacedLine();
  PacedLine(const PacedLine&) = delete;
  PacedLine& operator=(const PacedLine&) = delete;

  // Connects and downloads on a clean line, as a user does before anything else.
  void Load();
  // Keeps backups and the record of unfinished writes, in a folder of this line's own.
  void KeepUserFiles();
  CommandRun Run(Command command);

  WindowSnapshot Snapshot() const;
  std::vector<std::uint8_t> DeviceImage() const;
  bool PortClosed() const { return !port.IsOpen() && port.OpenCount() == port.CloseCount(); }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  sim::DamagedLine damage;  // clean until events are set
  ProgramState state;
  HeadlessWindow window;
  std::unique_ptr<storage::UserFiles> files;  // once kept

 private:
  std::filesystem::path dataFolder_;
};

// How long a command takes on a healthy line with the sample database, on the virtual clock.
Duration CleanTime(Command command);

// "a" / "b", each quoted as the user reads it; "no message" when there was none.
std::string BoxTexts(const std::vector<MessageBoxRequest>& boxes);

}  // namespace userdb::test
