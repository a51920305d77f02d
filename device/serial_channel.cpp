#include "device/serial_channel.h"

#include <string>

namespace userdb {

OpenResult SerialChannel::OpenPortNumber(int portNumber) {
  lineLost_ = false;
  return port_.Open(portNumber);
}

bool SerialChannel::OpenForConversation(int portNumber, DeviceSeat& seat) {
  OpenResult result = OpenPortNumber(portNumber);
  if (result) result = AwaitLink(portNumber, std::move(result), seat);
  if (result) return true;
  seat.PortNotOpened({portNumber, std::move(result)});
  return false;
}

OpenResult SerialChannel::AwaitLink(int portNumber, OpenResult opened, DeviceSeat& seat) {
  if (port_.Link() == LinkState::Connected) return opened;
  seat.WaitingForLink(portNumber);
  const Instant deadline = Now() + kLinkConnectLimit;
  while (Now() < deadline) {
    port_.Sleep(kLinkPoll);
    if (port_.Link() == LinkState::Connected) return opened;
  }
  port_.Close();
  return {OpenStatus::NotConnected, "", opened.deviceName};
}

void SerialChannel::ClosePort() { port_.Close(); }

bool SerialChannel::WriteAll(std::span<const std::uint8_t> bytes) {
  std::size_t sent = 0;
  Instant lastProgress = Now();
  while (sent < bytes.size()) {
    if (lineLost_ || !port_.IsOpen()) return false;
    const WriteResult result = port_.Write(bytes.subspan(sent));
    if (result.lineLost) lineLost_ = true;
    sent += result.count;
    if (result.count > 0) {
      lastProgress = Now();
    } else if (Now() - lastProgress >= kWriteStallLimit) {
      lineLost_ = true;  // a port that takes nothing for this long will not take an exit message either
      return false;
    }
  }
  return true;
}

std::size_t SerialChannel::ReadOnce(std::span<std::uint8_t> buffer) {
  if (lineLost_ || !port_.IsOpen() || buffer.empty()) return 0;
  const ReadResult result = port_.ReadOnce(buffer);
  if (result.lineLost) lineLost_ = true;
  return result.count;
}

std::size_t SerialChannel::ReadBlock(std::span<std::uint8_t> block, Patience patience) {
  std::size_t received = 0;
  Instant lastArrival = Now();
  // A lost line or a closed port delivers nothing at once, so the silence would never grow.
  while (received < block.size() && !lineLost_ && port_.IsOpen()) {
    const std::size_t count = ReadOnce(block.subspan(received));
    if (count > 0) {
      received += count;
      lastArrival = Now();
      continue;
    }
    const Duration allowed = received == 0 ? patience.beforeStart : patience.inside;
    if (Now() - lastArrival >= allowed) break;
  }
  return received;
}

}  // namespace userdb
