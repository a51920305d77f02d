#pragma once
// What every device conversation runs on: the serial channel, the transfer buffer through
// which every read and write passes, and how often a handshake is tried.

#include "device/serial_channel.h"
#include "device/transfer_buffer.h"

namespace userdb {

struct DeviceLink {
  explicit DeviceLink(SerialPort& port) : channel(port) {}

  SerialChannel channel;
  TransferBuffer transfer{};
  // How often a handshake is tried before it counts as failed: once a click in the window.
  int handshakeTries = 1;
};

}  // namespace userdb
