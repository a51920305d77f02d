#pragma once
// `--port /dev/...`: whatever COM number a command opens, the line is this one device.

#include <filesystem>

#include "cli/port_relay.h"
#include "platform/posix/posix_serial_port.h"

namespace userdb::cli {

class FixedPathPort final : public PortRelay {
 public:
  explicit FixedPathPort(std::filesystem::path devicePath) : PortRelay(line_), devicePath_(std::move(devicePath)) {}

  OpenResult Open(int /*portNumber*/) override { return line_.OpenPath(devicePath_); }

 private:
  std::filesystem::path devicePath_;
  PosixSerialPort line_;
};

}  // namespace userdb::cli
