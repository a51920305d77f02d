#pragma once
// The serial line on a POSIX system: a tty device held exclusively, raw 8N1, with bounded waits.

#include <termios.h>

#include <filesystem>
#include <optional>

#include "device/serial_port.h"
#include "platform/posix/uucp_lock.h"

namespace userdb {

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Opens the device that COM port n maps to (see posix::PortPath).
  OpenResult Open(int portNumber) override;
  // Opens a device named outright, as `--port /dev/...` does; same settings and exclusivity.
  // A device that another program has locked is not opened at all, so that not even its
  // modem lines change.
  OpenResult OpenPath(const std::filesystem::path& devicePath);
  bool IsOpen() const override;
  // Lets what was written leave first (for as long as a write may stall), then gives the line
  // back with the settings it had before.
  void Close() override;

  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override;
  WriteResult Write(std::span<const std::uint8_t> bytes) override;
  const Clock& LineClock() const override;
  void Sleep(Duration span) override;
  LinkState Link() const override;

 private:
  OpenResult OpenLocked(const std::filesystem::path& devicePath, const std::filesystem::path& realPath);
  void DrainOutput() const;

  int fd_ = -1;
  std::optional<termios> settingsBefore_;
  std::optional<int> rfcommDevice_;  // the number of a Bluetooth link's rfcomm device
  bool hungUp_ = false;              // nothing written can leave any more
  posix::UucpLock lock_;
  SteadyClock clock_;
};

}  // namespace userdb
