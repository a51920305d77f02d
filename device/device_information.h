#pragma once
// "Open COM Port": proves the device answers on the selected port and shows its identity.

#include <cstdint>
#include <string>

#include "app/window.h"
#include "device/program_state.h"

namespace userdb {

inline constexpr std::size_t kDeviceInfoBlockSize = 72;
inline constexpr std::size_t kDatabaseVersionBlockSize = 16;

// A packed version byte: bits 7 to 3 the major number, bits 2 to 0 the minor.
std::string VersionText(std::uint8_t packed);

// True when the device answered the handshake and ended the conversation properly.
bool ConnectCommand(ProgramState& state, Window& window);

// Needs the device in update mode. False when "KT Update Over" never came.
bool ReadDeviceInformation(ProgramState& state, Window& window);

}  // namespace userdb
