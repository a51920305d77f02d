#pragma once
// The serial line on Windows: a COM port opened exclusively and set up through kernel32.

#include <string>

#include "device/serial_port.h"

namespace userdb {

// The name that opens port n: "\\.\COM" and the number, which also reaches ports above 9.
std::string Win32PortPath(int portNumber);

class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort() = default;
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  OpenResult Open(int portNumber) override;
  bool IsOpen() const override;
  void Close() override;

  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override;
  WriteResult Write(std::span<const std::uint8_t> bytes) override;
  const Clock& LineClock() const override;
  void Sleep(Duration span) override;

 private:
  // A HANDLE, null when no port is open; void* keeps <windows.h> out of this header.
  void* handle_ = nullptr;
  SteadyClock clock_;
};

}  // namespace userdb
