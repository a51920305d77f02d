#include "app/port_scan_command.h"

#include <string>

#include "app/connect_command.h"
#include "app/user_messages.h"
#include "device/port_scan.h"
#include "window/control_table.h"

namespace userdb {

std::optional<int> PortScan(ProgramState& state, Window& window) {
  const std::optional<int> found = FindDevicePort(state.link);
  if (!found) {
    window.SelectPort(kInitialPortSelection);
    window.ShowMessage(
        {BoxOwner::MainWindow, std::string(message::kAutoScanNotFound), std::string(kCaptionApiReturn), BoxKind::Ok});
    return std::nullopt;
  }
  window.SelectPort(*found - 1);
  ConnectCommand(state, window);
  window.ShowMessage({BoxOwner::MainWindow, std::string(message::kAutoScanFound) + std::to_string(*found),
                      std::string(kCaptionApiReturn), BoxKind::Ok});
  return found;
}

}  // namespace userdb
