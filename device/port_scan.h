#pragma once
// Finding the device: it sends its banner whenever its port is opened, so listening on COM1
// to COM256 in turn finds it.

#include <cstdint>
#include <optional>
#include <span>

#include "device/device_link.h"

namespace userdb {

inline constexpr int kFirstScannedPort = 1;
inline constexpr int kLastScannedPort = 256;

// The banner's characters, in one piece, among the bytes before the first zero byte.
bool ContainsBanner(std::span<const std::uint8_t> received);

// The port where the banner came, if any. Only listens: writes nothing to any port.
std::optional<int> FindDevicePort(DeviceLink& link);

}  // namespace userdb
