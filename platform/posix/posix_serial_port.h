#pragma once
// The serial line on a POSIX system: a tty device held exclusively, raw 8N1, with bounded waits.

#include <filesystem>

#include "device/serial_port.h"

namespace userdb {

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Opens the device that COM port n maps to (see posix::PortPath).
  bool Open(int portNumber) override;
  // Opens a device named outright, as `--port /dev/...` does; same settings and exclusivity.
  bool OpenPath(const std::filesystem::path& devicePath);
  bool IsOpen() const override;
  void Close() override;

  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override;
  WriteResult Write(std::span<const std::uint8_t> bytes) override;
  const Clock& LineClock() const override;

 private:
  int fd_ = -1;
  SteadyClock clock_;
};

}  // namespace userdb
