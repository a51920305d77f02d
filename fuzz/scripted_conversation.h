#pragma once
// The program's side of one device conversation on the in-process port, with the simulated
// device's answers after the handshake replaced by a fuzz input's script.

#include <cstdint>
#include <span>

#include "app/program_state.h"
#include "fuzz/scripted_answers.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"

namespace userdb::fuzz {

class ScriptedConversation {
 public:
  // Input: one byte of settings (bit 0: the line drops after the script), then the script.
  explicit ScriptedConversation(std::span<const std::uint8_t> input);
  ScriptedConversation(const ScriptedConversation&) = delete;
  ScriptedConversation& operator=(const ScriptedConversation&) = delete;

  // The longest a command may take on this script: a read limit for each read that can
  // deliver a byte or end a block, the script's pauses, and the command's own limits.
  Duration Bound(Duration commandLimits) const;
  bool PortClosed() const { return !port.IsOpen() && port.OpenCount() == port.CloseCount(); }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  ScriptedAnswers answers;
  ProgramState state;
  HeadlessWindow window;
};

}  // namespace userdb::fuzz
