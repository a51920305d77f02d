#pragma once
// Everything the program keeps for its whole run, in one object passed by reference.

#include <cstdint>
#include <optional>

#include "database/user_database.h"
#include "device/backup_sink.h"
#include "device/link_events.h"
#include "device/serial_channel.h"
#include "device/transfer_buffer.h"

namespace userdb {

struct ProgramState {
  explicit ProgramState(SerialPort& port) : channel(port) {}

  UserDatabase database;
  SerialChannel channel;
  TransferBuffer transfer{};
  // The device's serial number, once a device information block has shown it.
  std::optional<std::uint32_t> serialNumber;
  // Where every download leaves a copy of the device; none keeps no copy.
  BackupSink* backups = nullptr;
  // Told what the window's texts leave out; none for the window.
  LinkEvents* events = nullptr;
  // How often a handshake is tried before it counts as failed: once a click in the window.
  int handshakeTries = 1;
};

}  // namespace userdb
