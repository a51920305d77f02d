#pragma once
// The device's identity: the conversation behind "Open COM Port".

#include <cstdint>
#include <optional>
#include <string>

#include "device/device_link.h"
#include "device/device_seat.h"

namespace userdb {

inline constexpr std::size_t kDeviceInfoBlockSize = 72;
inline constexpr std::size_t kDatabaseVersionBlockSize = 16;

// What the device told of itself; each part is absent when its block did not come whole (or,
// for the DeviceInfoBlock, held 0xFF in its first four bytes).
struct DeviceInfo {
  struct Identity {
    std::uint8_t firmware = 0;  // packed version bytes
    std::uint8_t hardware = 0;
    std::uint32_t serialNumber = 0;
  };
  std::optional<Identity> identity;
  std::optional<std::string> databaseVersion;  // up to the first zero byte
};

enum class ConnectOutcome {
  Answered,      // the device told of itself and ended the conversation with "KT Update Over"
  NotConnected,  // the port did not open or the device did not go into update mode; told
  Unfinished,    // in update mode, but the device did not end the conversation: what came is kept
};

struct ConnectResult {
  ConnectOutcome outcome = ConnectOutcome::NotConnected;
  DeviceInfo info;  // unless not connected
};

// Needs the device in update mode.
struct InformationRead {
  DeviceInfo info;
  bool answered = false;
};
InformationRead ReadDeviceInformation(DeviceLink& link);

// One conversation on port n: handshake, device information, exit message.
ConnectResult Connect(DeviceLink& link, int portNumber, DeviceSeat& seat);

}  // namespace userdb
