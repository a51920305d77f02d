#include "device/update_mode.h"

#include <algorithm>
#include <string>

#include "app/control_ids.h"
#include "device/device_message_stream.h"
#include "device/line_texts.h"
#include "device/user_messages.h"

namespace userdb {
namespace {

void ShowUpdateModeControls(Window& window) {
  window.Enable(ids::kPortList, false);
  window.Enable(ids::kOpenPort, false);
  window.Enable(ids::kLoadDatabase, true);
  window.Enable(ids::kAutoOpenPort, false);
  window.SetText(ids::kStatusBox, message::kHandshakeStatus);
}

// The banner, ignored; the request; the answer, whole and exact.
bool Handshake(ProgramState& state) {
  const auto buffer = std::span(state.transfer);
  state.channel.ReadBlock(buffer.first(line::kDeviceBanner.size()), kPromptStart);
  SendThroughTransferBuffer(state, line::kUpdateRequest);
  const auto answer = buffer.first(line::kUpdateAnswer.size());
  const std::size_t received = state.channel.ReadBlock(answer, kThroughLulls);
  return received == answer.size() && std::equal(answer.begin(), answer.end(), line::kUpdateAnswer.begin());
}

}  // namespace

bool SendThroughTransferBuffer(ProgramState& state, std::span<const std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), state.transfer.begin());
  return state.channel.WriteAll(std::span(state.transfer).first(bytes.size()));
}

bool EnterUpdateMode(ProgramState& state, Window& window) {
  for (int attempt = 1;; ++attempt) {
    if (!state.channel.OpenSelectedPort(window, state.events)) return false;
    if (Handshake(state)) {
      ShowUpdateModeControls(window);
      return true;
    }
    if (attempt >= state.handshakeTries) break;
    LeaveUpdateMode(state);
    if (state.events != nullptr) state.events->HandshakeRetry(attempt, state.handshakeTries);
    state.channel.Sleep(kHandshakeRetryPause);
  }
  window.ShowMessage({BoxOwner::None, std::string(message::kNoUpdateMode), std::string(kCaptionInfo), BoxKind::Ok});
  LeaveUpdateMode(state);
  return false;
}

void LeaveUpdateMode(ProgramState& state) {
  if (!state.channel.LineLost()) SendThroughTransferBuffer(state, line::kExitMessage);
  state.channel.ClosePort();
}

bool WaitForUpdateOver(ProgramState& state) {
  DeviceMessageStream messages;
  const Instant deadline = state.channel.Now() + kUpdateOverLimit;
  const auto buffer = std::span(state.transfer).first(line::kDeviceMessageSize);
  while (!state.channel.LineLost() && state.channel.Now() < deadline) {
    const std::size_t count = state.channel.ReadOnce(buffer);
    for (DeviceMessage message : messages.Feed(buffer.first(count))) {
      if (message == DeviceMessage::UpdateOver) return true;
    }
  }
  return false;
}

void ReportNotResponding(Window& window) {
  window.ShowMessage({BoxOwner::None, std::string(message::kNotResponding), std::string(kCaptionInfo), BoxKind::Ok});
}

}  // namespace userdb
