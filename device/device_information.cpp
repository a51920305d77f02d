#include "device/device_information.h"

#include <algorithm>

#include "base/little_endian.h"
#include "device/command_frames.h"
#include "device/update_mode.h"

namespace userdb {
namespace {

constexpr std::size_t kCheckedInfoBytes = 4;  // bytes 0 to 3 must not be 0xFF
constexpr std::size_t kFirmwareOffset = 1;
constexpr std::size_t kHardwareOffset = 2;
constexpr std::size_t kSerialNumberOffset = 4;

std::optional<DeviceInfo::Identity> IdentityOf(std::span<const std::uint8_t> block) {
  const auto checked = block.first(kCheckedInfoBytes);
  if (std::find(checked.begin(), checked.end(), 0xFF) != checked.end()) return std::nullopt;
  return DeviceInfo::Identity{block[kFirmwareOffset], block[kHardwareOffset], ReadLe32(block, kSerialNumberOffset)};
}

std::string DatabaseVersionOf(std::span<const std::uint8_t> block) {
  return {block.begin(), std::find(block.begin(), block.end(), 0)};
}

}  // namespace

InformationRead ReadDeviceInformation(DeviceLink& link) {
  InformationRead read;
  if (!SendThroughTransferBuffer(link, kReadDeviceInfoFrame)) return read;
  const auto buffer = std::span(link.transfer);
  // A block cut short counts as no block at all.
  const auto info = buffer.first(kDeviceInfoBlockSize);
  if (link.channel.ReadBlock(info, kThroughLulls) == info.size()) read.info.identity = IdentityOf(info);
  const auto version = buffer.first(kDatabaseVersionBlockSize);
  if (link.channel.ReadBlock(version, kThroughLulls) == version.size()) {
    read.info.databaseVersion = DatabaseVersionOf(version);
  }
  read.answered = WaitForUpdateOver(link);
  return read;
}

ConnectResult Connect(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  if (!EnterUpdateMode(link, portNumber, seat)) return {};
  const InformationRead read = ReadDeviceInformation(link);
  LeaveUpdateMode(link);
  return {read.answered ? ConnectOutcome::Answered : ConnectOutcome::Unfinished, read.info};
}

}  // namespace userdb
