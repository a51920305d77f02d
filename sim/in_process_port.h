#pragma once
// A SerialPort on a virtual clock, with simulated devices on chosen port numbers: the
// program's whole device link runs in-process and a 100 ms wait costs no real time.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "device/serial_port.h"
#include "sim/device_simulator.h"
#include "sim/line_faults.h"
#include "sim/virtual_clock.h"

namespace userdb::sim {

// One opening of a port, as the program saw the line.
struct PortSession {
  int portNumber = 0;
  std::vector<std::uint8_t> written;    // what the port took from the program
  std::vector<std::uint8_t> delivered;  // what its reads handed to the program
  bool closed = false;
};

class InProcessPort final : public SerialPort {
 public:
  // Writes advance the clock by the line time of their bytes (zero: writes take no time).
  explicit InProcessPort(VirtualClock& clock, Duration byteTime = Duration::zero());

  // Port n answers with this device, which the caller keeps alive.
  void Attach(int portNumber, DeviceSimulator& device);
  // Port n exists, but nothing on it ever answers.
  void AddSilentPort(int portNumber);
  // Port n exists, but another program holds it: every open fails.
  void AddHeldPort(int portNumber);
  // While stalled, a write waits its 100 ms and takes nothing.
  void StallWrites(bool stalled) { writesStalled_ = stalled; }
  // Puts damage on the line between port and device from the next open on; null takes it
  // away. The caller keeps it alive.
  void SetLineFaults(LineFaults* faults) { lineFaults_ = faults; }
  // From the next open on, the port opens on a radio link that comes up this long after the
  // open; until then the device hears and says nothing. Nothing: up at once.
  void SetLinkDelay(std::optional<Duration> delay) { linkDelay_ = delay; }

  // Fails for ports that are absent or held, and while another port is open.
  OpenResult Open(int portNumber) override;
  bool IsOpen() const override { return session_.has_value(); }
  void Close() override;
  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override;
  WriteResult Write(std::span<const std::uint8_t> bytes) override;
  const Clock& LineClock() const override { return clock_; }
  void Sleep(Duration span) override { clock_.Advance(span); }
  LinkState Link() const override;

  // Every port number an open was asked for, in order, whether it succeeded or not.
  const std::vector<int>& OpenAttempts() const { return openAttempts_; }
  int OpenCount() const { return static_cast<int>(sessions_.size()); }
  int CloseCount() const { return closeCount_; }
  const std::vector<PortSession>& Sessions() const { return sessions_; }

 private:
  struct Line {
    DeviceSimulator* device = nullptr;  // none: the port is held
  };

  DeviceSimulator& Device() const { return *lines_.at(*session_).device; }
  bool DeviceHungUp() const;
  // When the device hung up or the line dropped, whichever came first.
  std::optional<Instant> LineLostAt() const;
  // The device learns of the open once the link is up.
  void ConnectIfDue();

  VirtualClock& clock_;
  Duration byteTime_;
  std::map<int, Line> lines_;
  std::vector<std::unique_ptr<DeviceSimulator>> silentDevices_;
  bool writesStalled_ = false;
  LineFaults* lineFaults_ = nullptr;

  std::optional<Duration> linkDelay_;
  std::optional<Instant> linkUpAt_;  // while the open port's link is still coming up
  std::optional<int> session_;       // the open port's number
  std::deque<TimedByte> inbox_;      // sent by the device, not yet read
  std::vector<int> openAttempts_;
  std::vector<PortSession> sessions_;
  int closeCount_ = 0;
};

}  // namespace userdb::sim
