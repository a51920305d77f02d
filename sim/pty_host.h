#pragma once
// Runs the simulated device on a pseudo-terminal in real time, for the program's own serial backend.

#include <deque>
#include <memory>
#include <string>

#include "device/clock.h"
#include "sim/conversation_log.h"
#include "sim/device_simulator.h"
#include "sim/pty_com_link.h"
#include "sim/pty_slave_watch.h"
#include "sim/pty_terminal.h"
#include "sim/sim_options.h"

namespace userdb::sim {

class PtyHost {
 public:
  PtyHost(DeviceSimulator& device, const SimOptions& options);

  // Serves the line until SIGINT, SIGTERM or SIGHUP; false with the reason when it cannot.
  bool Run(std::string& error);

 private:
  bool OpenLine(std::string& error);
  void HandleSlaveEvents();
  void BeginConversation();
  void EndConversation();
  void ReadFromProgram();
  void Deliver(std::size_t count);  // hands the first count bytes of the inbox to the device
  void CollectOutput();
  void WriteDueBytes();
  bool HangUpIfDue(std::string& error);
  // An upload, or the erase a broken-off write leaves, goes to --save for a later run to start from.
  void SaveChangedFlash();

  struct Wait {
    short masterEvents;
    std::optional<Instant> wake;
  };
  Wait NextWait(Instant now) const;
  Wait NextOutputWait(Instant now) const;
  std::optional<Instant> PendingHangUp() const;

  DeviceSimulator& device_;
  const SimOptions& options_;
  SteadyClock clock_;
  ConversationLog log_;
  std::unique_ptr<PseudoTerminal> terminal_;
  SlaveWatch watch_;
  std::unique_ptr<ComLink> comLink_;
  std::deque<TimedByte> outbox_;    // sent by the device, not yet written to the master
  Instant lastWrite_{};             // when bytes last went into the master
  std::deque<std::uint8_t> inbox_;  // taken from the program, not yet arrived on a paced line
  Instant inputFreeAt_{};           // when the last byte taken from the program has arrived
  int slaveOpens_ = 0;
  int savedFlashWrites_ = 0;
};

}  // namespace userdb::sim
