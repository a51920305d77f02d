#include "device/device_information.h"

#include <algorithm>

#include "app/control_ids.h"
#include "database/little_endian.h"
#include "device/command_frames.h"
#include "device/update_mode.h"

namespace userdb {
namespace {

constexpr std::size_t kCheckedInfoBytes = 4;  // bytes 0 to 3 must not be 0xFF
constexpr std::size_t kFirmwareOffset = 1;
constexpr std::size_t kHardwareOffset = 2;
constexpr std::size_t kSerialNumberOffset = 4;

void ShowDeviceInfoBlock(std::span<const std::uint8_t> block, ProgramState& state, Window& window) {
  const auto checked = block.first(kCheckedInfoBytes);
  if (std::find(checked.begin(), checked.end(), 0xFF) != checked.end()) return;
  state.serialNumber = ReadLe32(block, kSerialNumberOffset);
  window.SetText(ids::kFirmwareVersionLabel, "Firmware Version : " + VersionText(block[kFirmwareOffset]));
  window.SetText(ids::kHardwareVersionLabel, "Hardware Version : " + VersionText(block[kHardwareOffset]));
  window.SetText(ids::kSerialNumberLabel, "Serial Number : " + std::to_string(*state.serialNumber));
}

void ShowDatabaseVersionBlock(std::span<const std::uint8_t> block, Window& window) {
  const auto end = std::find(block.begin(), block.end(), 0);
  window.SetText(ids::kDatabaseVersionLabel, "Database Version :" + std::string(block.begin(), end));
}

}  // namespace

std::string VersionText(std::uint8_t packed) { return std::to_string(packed >> 3) + "." + std::to_string(packed & 7); }

bool ReadDeviceInformation(ProgramState& state, Window& window) {
  if (!SendThroughTransferBuffer(state, kReadDeviceInfoFrame)) return false;
  const auto buffer = std::span(state.transfer);
  // A block cut short counts as no block at all.
  const auto info = buffer.first(kDeviceInfoBlockSize);
  if (state.channel.ReadBlock(info, kThroughLulls) == info.size()) ShowDeviceInfoBlock(info, state, window);
  const auto version = buffer.first(kDatabaseVersionBlockSize);
  if (state.channel.ReadBlock(version, kThroughLulls) == version.size()) ShowDatabaseVersionBlock(version, window);
  return WaitForUpdateOver(state);
}

bool ConnectCommand(ProgramState& state, Window& window) {
  if (!EnterUpdateMode(state, window)) return false;
  const bool answered = ReadDeviceInformation(state, window);
  LeaveUpdateMode(state);
  if (!answered) ReportNotResponding(window);
  return answered;
}

}  // namespace userdb
