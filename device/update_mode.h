#pragma once
// The pieces every device conversation shares: the handshake into update mode, sending
// frames and texts through the transfer buffer, the wait for the device's end message and
// the end of the conversation.

#include <chrono>
#include <cstdint>
#include <span>

#include "device/device_link.h"
#include "device/device_seat.h"

namespace userdb {

// How long the device may take to say "KT Update Over" after the device information.
inline constexpr std::chrono::seconds kUpdateOverLimit{3};
// Between two tries of a handshake, with the port closed.
inline constexpr std::chrono::milliseconds kHandshakeRetryPause{500};

// Opens port n and takes the device into update mode, trying the handshake as often as the
// link says. On failure the seat has been told, the exit message sent where the line allows,
// and no port is open.
bool EnterUpdateMode(DeviceLink& link, int portNumber, DeviceSeat& seat);

// Sends the exit message where the line allows and closes the port.
void LeaveUpdateMode(DeviceLink& link);

// Builds the bytes at the start of the transfer buffer and writes them whole.
bool SendThroughTransferBuffer(DeviceLink& link, std::span<const std::uint8_t> bytes);

// Reads until "KT Update Over" has come, wherever it starts in the stream; false when the
// line is lost or kUpdateOverLimit passes first.
bool WaitForUpdateOver(DeviceLink& link);

}  // namespace userdb
