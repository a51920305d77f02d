#pragma once
// `--port /dev/...`: whatever COM number a command opens, the line is this one device.

#include <filesystem>

#include "platform/posix/posix_serial_port.h"

namespace userdb::cli {

class FixedPathPort final : public SerialPort {
 public:
  explicit FixedPathPort(std::filesystem::path devicePath) : devicePath_(std::move(devicePath)) {}

  OpenResult Open(int /*portNumber*/) override { return line_.OpenPath(devicePath_); }
  bool IsOpen() const override { return line_.IsOpen(); }
  void Close() override { line_.Close(); }
  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override { return line_.ReadOnce(buffer); }
  WriteResult Write(std::span<const std::uint8_t> bytes) override { return line_.Write(bytes); }
  const Clock& LineClock() const override { return line_.LineClock(); }
  void Sleep(Duration span) override { line_.Sleep(span); }
  LinkState Link() const override { return line_.Link(); }

 private:
  std::filesystem::path devicePath_;
  PosixSerialPort line_;
};

}  // namespace userdb::cli
