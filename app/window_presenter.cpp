#include "app/window_presenter.h"

#include <string>

#include "app/user_messages.h"
#include "window/control_ids.h"

namespace userdb {

std::string ChunkStatus(std::size_t chunk) {
  if (chunk < 2) return std::string(message::kEraseFlash);
  return std::string(message::kUpdatePagePrefix) + std::to_string(chunk) + std::string(message::kUpdatePageSuffix);
}

void ShowNotResponding(Window& window) {
  window.ShowMessage({BoxOwner::None, std::string(message::kNotResponding), std::string(kCaptionInfo), BoxKind::Ok});
}

void WindowPresenter::PortNotOpened(const PortFailure& failure) {
  window_.ShowMessage({BoxOwner::None, std::string(message::kCanNotOpenCom) + std::to_string(failure.portNumber),
                       std::nullopt, BoxKind::Ok});
}

void WindowPresenter::NoUpdateMode() {
  window_.ShowMessage({BoxOwner::None, std::string(message::kNoUpdateMode), std::string(kCaptionInfo), BoxKind::Ok});
}

void WindowPresenter::HandshakeSucceeded() {
  window_.Enable(ids::kPortList, false);
  window_.Enable(ids::kOpenPort, false);
  window_.Enable(ids::kLoadDatabase, true);
  window_.Enable(ids::kAutoOpenPort, false);
  window_.SetText(ids::kStatusBox, message::kHandshakeStatus);
}

// The handshake's status stays up while the blocks come in.
void WindowPresenter::Receiving() { window_.ShowProgress(); }

void WindowPresenter::ChunkSent(std::size_t chunk) {
  window_.SetText(ids::kStatusBox, ChunkStatus(chunk));
  window_.ShowProgress();
}

}  // namespace userdb
