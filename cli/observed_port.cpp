#include "cli/observed_port.h"

namespace userdb::cli {

OpenResult ObservedPort::Open(int portNumber) {
  OpenResult result = line_.Open(portNumber);
  for (PortObserver* observer : observers_) observer->Opened(portNumber, static_cast<bool>(result));
  return result;
}

void ObservedPort::Close() {
  const bool wasOpen = line_.IsOpen();
  line_.Close();
  if (!wasOpen) return;
  for (PortObserver* observer : observers_) observer->Closed();
}

ReadResult ObservedPort::ReadOnce(std::span<std::uint8_t> buffer) {
  const ReadResult result = line_.ReadOnce(buffer);
  for (PortObserver* observer : observers_) observer->Received(buffer.first(result.count), result.lineLost);
  return result;
}

WriteResult ObservedPort::Write(std::span<const std::uint8_t> bytes) {
  const WriteResult result = line_.Write(bytes);
  for (PortObserver* observer : observers_) observer->Sent(bytes.first(result.count), result.lineLost);
  return result;
}

}  // namespace userdb::cli
