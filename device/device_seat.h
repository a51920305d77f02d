#pragma once
// What a device conversation tells the front-end while it runs: the one interface between the
// device link and whoever shows it (the window's presenter, the command line). Results come
// back from the commands themselves; this carries what happens on the way.

#include <cstddef>

#include "device/serial_port.h"

namespace userdb {

struct PortFailure {
  int portNumber = 0;
  OpenResult result;
};

class DeviceSeat {
 public:
  virtual ~DeviceSeat() = default;

  // The port did not open; the conversation ends here.
  virtual void PortNotOpened(const PortFailure& failure) = 0;
  // The port opened on a radio link that is not connected yet; the wait is bounded.
  virtual void WaitingForLink(int portNumber) = 0;
  // The device did not answer the handshake properly on this try of so many; another follows.
  virtual void HandshakeRetry(int attempt, int tries) = 0;
  // Every try failed. Told while the port is still open: the exit message and the close follow.
  virtual void NoUpdateMode() = 0;
  // The device is in update mode.
  virtual void HandshakeSucceeded() = 0;
  // The device has begun to send what a download asked for.
  virtual void Receiving() = 0;
  // Chunk i (0 to 575) of the image has gone out.
  virtual void ChunkSent(std::size_t chunk) = 0;
};

}  // namespace userdb
