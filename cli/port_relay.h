#pragma once
// A serial line that passes everything on to another, for the lines that change one part of it.

#include "device/serial_port.h"

namespace userdb::cli {

class PortRelay : public SerialPort {
 public:
  // Only kept: the line may be a member of the subclass, made after this base.
  explicit PortRelay(SerialPort& line) : line_(line) {}

  OpenResult Open(int portNumber) override { return line_.Open(portNumber); }
  bool IsOpen() const override { return line_.IsOpen(); }
  void Close() override { line_.Close(); }
  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override { return line_.ReadOnce(buffer); }
  WriteResult Write(std::span<const std::uint8_t> bytes) override { return line_.Write(bytes); }
  const Clock& LineClock() const override { return line_.LineClock(); }
  void Sleep(Duration span) override { line_.Sleep(span); }
  LinkState Link() const override { return line_.Link(); }

 protected:
  SerialPort& Line() { return line_; }

 private:
  SerialPort& line_;
};

}  // namespace userdb::cli
