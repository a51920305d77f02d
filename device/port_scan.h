#pragma once
// "Auto Open COM Port": listens on COM1 to COM256 for the banner the device sends when its
// port is opened, then connects on the first port where it came.

#include <cstdint>
#include <optional>
#include <span>

#include "app/window.h"
#include "device/program_state.h"

namespace userdb {

inline constexpr int kFirstScannedPort = 1;
inline constexpr int kLastScannedPort = 256;

// The banner's characters, in one piece, among the bytes before the first zero byte.
bool ContainsBanner(std::span<const std::uint8_t> received);

// The port where the banner came, if any. Only listens: writes nothing to any port.
std::optional<int> FindDevicePort(ProgramState& state);

// Returns the port found, after selecting it and running the connect there.
std::optional<int> PortScan(ProgramState& state, Window& window);

}  // namespace userdb
