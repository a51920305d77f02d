#pragma once
// The device link as the window shows it: every call of a conversation turned into the
// window's texts, enabled states and boxes.

#include <string>

#include "device/device_seat.h"
#include "window/window.h"

namespace userdb {

class WindowPresenter final : public DeviceSeat {
 public:
  explicit WindowPresenter(Window& window) : window_(window) {}

  // "Can not Open COM" and the number, in a box without owner or caption.
  void PortNotOpened(const PortFailure& failure) override;
  // The window tries once a click and waits without a word.
  void WaitingForLink(int /*portNumber*/) override {}
  void HandshakeRetry(int /*attempt*/, int /*tries*/) override {}
  void NoUpdateMode() override;
  // Fixes the port choice for the rest of the run and enables the download.
  void HandshakeSucceeded() override;
  void Receiving() override;
  void ChunkSent(std::size_t chunk) override;

 private:
  Window& window_;
};

// The StatusBox text after chunk i of an upload.
std::string ChunkStatus(std::size_t chunk);

// Tells the user that the device stopped answering (box without owner, caption "Info").
void ShowNotResponding(Window& window);

}  // namespace userdb
