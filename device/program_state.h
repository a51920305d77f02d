#pragma once
// Everything the program keeps for its whole run, in one object passed by reference.

#include "database/user_database.h"
#include "device/serial_channel.h"
#include "device/transfer_buffer.h"

namespace userdb {

struct ProgramState {
  explicit ProgramState(SerialPort& port) : channel(port) {}

  UserDatabase database;
  SerialChannel channel;
  TransferBuffer transfer{};
};

}  // namespace userdb
