#pragma once
// A serial line that tells observers what crosses it, for the trace and the progress display,
// without the device link knowing of either.

#include <span>
#include <vector>

#include "device/serial_port.h"

namespace userdb::cli {

class PortObserver {
 public:
  virtual ~PortObserver() = default;
  virtual void Opened(int portNumber, bool succeeded) = 0;
  virtual void Closed() = 0;
  virtual void Received(std::span<const std::uint8_t> bytes, bool lineLost) = 0;
  virtual void Sent(std::span<const std::uint8_t> bytes, bool lineLost) = 0;
};

class ObservedPort final : public SerialPort {
 public:
  explicit ObservedPort(SerialPort& line) : line_(line) {}

  void Watch(PortObserver& observer) { observers_.push_back(&observer); }

  OpenResult Open(int portNumber) override;
  bool IsOpen() const override { return line_.IsOpen(); }
  void Close() override;
  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override;
  WriteResult Write(std::span<const std::uint8_t> bytes) override;
  const Clock& LineClock() const override { return line_.LineClock(); }
  void Sleep(Duration span) override { line_.Sleep(span); }
  LinkState Link() const override { return line_.Link(); }

 private:
  SerialPort& line_;
  std::vector<PortObserver*> observers_;
};

}  // namespace userdb::cli
