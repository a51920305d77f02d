#pragma once
// A main window wired to a simulated device on a virtual clock.

#include <gtest/gtest.h>

#include <vector>

#include "app/command_router.h"
#include "app/main_form.h"
#include "app/program_state.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "window/control_ids.h"

namespace userdb {

class DeviceFixture : public ::testing::Test {
 protected:
  static constexpr int kDevicePort = 2;  // COM002, selected at start

  DeviceFixture() : port(clock), state(port), router(state, window) {
    port.Attach(kDevicePort, device);
    InitialiseMainForm(state, window);
  }

  sim::FaultPlan& Faults() { return device.Faults(); }
  const sim::PortSession& LastSession() const { return port.Sessions().back(); }
  const std::vector<std::uint8_t>& LastWritten() const { return LastSession().written; }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : window.Boxes()) texts.push_back(box.text);
    return texts;
  }

  Duration Elapsed(Instant since) const { return clock.Now() - since; }

  // Connects and downloads, as a user does first.
  void Load() {
    router.Click(ids::kOpenPort);
    router.Click(ids::kLoadDatabase);
    ASSERT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
  }

  bool NoPortOpen() const { return !port.IsOpen() && port.OpenCount() == port.CloseCount(); }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  ProgramState state;
  HeadlessWindow window;
  CommandRouter router;
};

// The bytes as one vector, to compare against what crossed the line.
template <typename... Parts>
std::vector<std::uint8_t> Concat(const Parts&... parts) {
  std::vector<std::uint8_t> bytes;
  (bytes.insert(bytes.end(), std::begin(parts), std::end(parts)), ...);
  return bytes;
}

}  // namespace userdb
