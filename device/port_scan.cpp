#include "device/port_scan.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/control_table.h"
#include "device/device_information.h"
#include "device/line_texts.h"
#include "device/user_messages.h"

namespace userdb {
namespace {

bool BannerComesOnPort(ProgramState& state, int portNumber) {
  if (!state.channel.OpenPortNumber(portNumber)) return false;
  std::array<std::uint8_t, line::kDeviceBanner.size()> received{};
  const std::size_t count = state.channel.ReadBlock(received);
  state.channel.ClosePort();
  return ContainsBanner(std::span(received).first(count));
}

}  // namespace

bool ContainsBanner(std::span<const std::uint8_t> received) {
  const auto beforeZero = std::span(received.begin(), std::find(received.begin(), received.end(), 0));
  const auto banner = std::span(line::kDeviceBanner).first(line::kDeviceBanner.size() - 1);
  return std::search(beforeZero.begin(), beforeZero.end(), banner.begin(), banner.end()) != beforeZero.end();
}

std::optional<int> FindDevicePort(ProgramState& state) {
  for (int portNumber = kFirstScannedPort; portNumber <= kLastScannedPort; ++portNumber) {
    if (BannerComesOnPort(state, portNumber)) return portNumber;
  }
  return std::nullopt;
}

std::optional<int> PortScan(ProgramState& state, Window& window) {
  const std::optional<int> found = FindDevicePort(state);
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
