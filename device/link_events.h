#pragma once
// What the device link tells a front-end that says more than the window does: why a port did
// not open, a wait for a radio link, a handshake tried again. Without one the window's own
// texts and boxes are all there is.

#include "device/serial_port.h"

namespace userdb {

struct PortFailure {
  int portNumber = 0;
  OpenResult result;
};

class LinkEvents {
 public:
  virtual ~LinkEvents() = default;

  // The selected port did not open. Told here instead of the "Can not Open COM" box.
  virtual void PortNotOpened(const PortFailure& failure) = 0;
  // The port opened on a link that is not connected yet; the wait is bounded.
  virtual void WaitingForLink(int portNumber) = 0;
  // The device did not answer the handshake on this try of so many; another follows.
  virtual void HandshakeRetry(int attempt, int tries) = 0;
};

}  // namespace userdb
