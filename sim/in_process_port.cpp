#include "sim/in_process_port.h"

#include <algorithm>
#include <string>

namespace userdb::sim {

InProcessPort::InProcessPort(VirtualClock& clock, Duration byteTime) : clock_(clock), byteTime_(byteTime) {}

void InProcessPort::Attach(int portNumber, DeviceSimulator& device) { lines_[portNumber] = Line{&device}; }

void InProcessPort::AddSilentPort(int portNumber) {
  FaultPlan silent;
  silent.silent = true;
  silentDevices_.push_back(std::make_unique<DeviceSimulator>(DeviceMemory{}, DeviceTiming{}, silent));
  Attach(portNumber, *silentDevices_.back());
}

void InProcessPort::AddHeldPort(int portNumber) { lines_[portNumber] = Line{nullptr}; }

OpenResult InProcessPort::Open(int portNumber) {
  openAttempts_.push_back(portNumber);
  const std::string name = "COM" + std::to_string(portNumber);
  const auto line = lines_.find(portNumber);
  if (line == lines_.end()) return {OpenStatus::NoSuchPort, "", name};
  if (session_ || line->second.device == nullptr) return {OpenStatus::Busy, "", name};
  session_ = portNumber;
  sessions_.push_back(PortSession{portNumber, {}, {}, false});
  inbox_.clear();
  if (lineFaults_) lineFaults_->LineOpened(clock_.Now());
  linkUpAt_ = clock_.Now() + linkDelay_.value_or(Duration::zero());
  ConnectIfDue();
  return {OpenStatus::Opened, "", name};
}

void InProcessPort::ConnectIfDue() {
  if (!session_ || !linkUpAt_ || clock_.Now() < *linkUpAt_) return;
  linkUpAt_.reset();
  Device().PortOpened(clock_.Now());
}

LinkState InProcessPort::Link() const {
  return session_ && linkUpAt_ && clock_.Now() < *linkUpAt_ ? LinkState::Connecting : LinkState::Connected;
}

void InProcessPort::Close() {
  if (!session_) return;
  if (!linkUpAt_) Device().PortClosed();
  linkUpAt_.reset();
  inbox_.clear();
  sessions_.back().closed = true;
  session_.reset();
  ++closeCount_;
}

std::optional<Instant> InProcessPort::LineLostAt() const {
  std::optional<Instant> lostAt = Device().HungUpAt();
  const std::optional<Instant> droppedAt = lineFaults_ ? lineFaults_->DroppedAt() : std::nullopt;
  if (droppedAt && (!lostAt || *droppedAt < *lostAt)) lostAt = droppedAt;
  return lostAt;
}

bool InProcessPort::DeviceHungUp() const {
  const std::optional<Instant> lostAt = LineLostAt();
  return lostAt && *lostAt <= clock_.Now();
}

ReadResult InProcessPort::ReadOnce(std::span<std::uint8_t> buffer) {
  if (!session_) return {0, true};
  ConnectIfDue();
  if (linkUpAt_) {
    clock_.Advance(kReadLimit);
    return {0, false};
  }
  std::vector<TimedByte> output = Device().TakeOutput();
  if (lineFaults_) lineFaults_->ToProgram(output);
  inbox_.insert(inbox_.end(), output.begin(), output.end());

  const Instant deadline = clock_.Now() + kReadLimit;
  Instant lastArrival = clock_.Now();
  std::size_t count = 0;
  while (count < buffer.size() && !inbox_.empty() && inbox_.front().readyAt <= deadline) {
    buffer[count++] = inbox_.front().value;
    lastArrival = std::max(lastArrival, inbox_.front().readyAt);
    inbox_.pop_front();
  }
  std::vector<std::uint8_t>& delivered = sessions_.back().delivered;
  delivered.insert(delivered.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));

  if (count == buffer.size()) {
    clock_.AdvanceTo(lastArrival);
    return {count, false};
  }
  const std::optional<Instant> hungUpAt = LineLostAt();
  if (inbox_.empty() && hungUpAt && *hungUpAt <= deadline) {
    clock_.AdvanceTo(std::max(lastArrival, *hungUpAt));
    return {count, true};
  }
  clock_.AdvanceTo(deadline);
  return {count, false};
}

WriteResult InProcessPort::Write(std::span<const std::uint8_t> bytes) {
  if (!session_) return {0, true};
  ConnectIfDue();
  if (linkUpAt_) {  // a link not yet up loses what it is given
    clock_.Advance(byteTime_ * static_cast<std::int64_t>(bytes.size()));
    sessions_.back().written.insert(sessions_.back().written.end(), bytes.begin(), bytes.end());
    return {bytes.size(), false};
  }
  if (DeviceHungUp()) return {0, true};
  if (writesStalled_) {
    clock_.Advance(kReadLimit);
    return {0, false};
  }
  PortIntake intake{bytes.size(), {bytes.begin(), bytes.end()}};
  if (lineFaults_) intake = lineFaults_->ToDevice(bytes, clock_.Now());
  if (intake.taken == 0) {
    if (DeviceHungUp()) return {0, true};
    clock_.Advance(kReadLimit);  // a stalled port takes nothing within its write limit
    return {0, false};
  }
  clock_.Advance(byteTime_ * static_cast<std::int64_t>(intake.taken));
  std::vector<std::uint8_t>& written = sessions_.back().written;
  written.insert(written.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(intake.taken));
  Device().Receive(intake.arriving, clock_.Now());
  return {intake.taken, false};
}

}  // namespace userdb::sim
