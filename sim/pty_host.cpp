#include "sim/pty_host.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "sim/image_file.h"
#include "sim/pty_stop_signals.h"

namespace userdb::sim {
namespace {

constexpr std::size_t kChunkSize = 4096;

timespec ToTimespec(Duration span) {
  const auto nanos = std::max(span, Duration::zero()).count();
  return timespec{static_cast<time_t>(nanos / 1000000000), static_cast<long>(nanos % 1000000000)};
}

}  // namespace

PtyHost::PtyHost(DeviceSimulator& device, const SimOptions& options)
    : device_(device), options_(options), log_(options.logPath.value_or("").string(), clock_.Now()) {
  if (options.comNumber) comLink_ = std::make_unique<ComLink>(*options.comNumber);
}

bool PtyHost::Run(std::string& error) {
  const StopSignals stop;
  if (stop.Fd() < 0 || watch_.Fd() < 0) {
    error = std::string("cannot watch signals or the slave: ") + std::strerror(errno);
    return false;
  }
  if (options_.logPath && !log_.IsOpen()) {
    error = options_.logPath->string() + ": cannot be written";
    return false;
  }
  if (!OpenLine(error)) return false;
  for (;;) {
    std::array<pollfd, 3> fds{
        {{stop.Fd(), POLLIN, 0}, {watch_.Fd(), POLLIN, 0}, {terminal_->MasterFd(), MasterEvents(), 0}}};
    const std::optional<Instant> wake = NextWake();
    const timespec timeout = ToTimespec(wake.value_or(clock_.Now()) - clock_.Now());
    if (ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) {
      error = std::string("poll: ") + std::strerror(errno);
      return false;
    }
    if (fds[0].revents & POLLIN) return true;
    if (fds[1].revents & POLLIN) HandleSlaveEvents();
    ReadFromProgram();
    if (slaveOpens_ > 0) {
      CollectOutput();
      WriteDueBytes();
    }
    if (!HangUpIfDue(error)) return false;
  }
}

bool PtyHost::OpenLine(std::string& error) {
  terminal_ = PseudoTerminal::Create(error);
  if (!terminal_ || !watch_.Watch(terminal_->SlavePath(), error)) return false;
  if (comLink_ && !comLink_->PointTo(terminal_->SlavePath(), error)) return false;
  slaveOpens_ = 0;
  outbox_.clear();
  log_.Event(clock_.Now(), "line ready on " + terminal_->SlavePath());
  if (options_.printPath) std::cout << terminal_->SlavePath() << std::endl;
  return true;
}

void PtyHost::HandleSlaveEvents() {
  for (SlaveEvent event : watch_.TakeEvents()) {
    if (event == SlaveEvent::Opened && slaveOpens_++ == 0) BeginConversation();
    if (event == SlaveEvent::Closed && slaveOpens_ > 0 && --slaveOpens_ == 0) EndConversation();
  }
}

void PtyHost::BeginConversation() {
  log_.Event(clock_.Now(), "port opened");
  terminal_->DiscardUnread();
  outbox_.clear();
  device_.PortOpened(clock_.Now());
}

void PtyHost::EndConversation() {
  ReadFromProgram();  // what the program wrote just before it closed still belongs to this conversation
  device_.PortClosed();
  terminal_->DiscardUnread();
  outbox_.clear();
  log_.Event(clock_.Now(), "port closed");
}

void PtyHost::ReadFromProgram() {
  std::array<std::uint8_t, kChunkSize> buffer{};
  ssize_t count = 0;
  while ((count = read(terminal_->MasterFd(), buffer.data(), buffer.size())) > 0) {
    const std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(count));
    log_.Bytes(clock_.Now(), "program", bytes);
    device_.Receive(bytes, clock_.Now());
    SaveAfterUpload();
  }
}

void PtyHost::CollectOutput() {
  for (const TimedByte& byte : device_.TakeOutput()) outbox_.push_back(byte);
}

void PtyHost::WriteDueBytes() {
  const Instant now = clock_.Now();
  std::vector<std::uint8_t> due;
  for (auto byte = outbox_.begin(); byte != outbox_.end() && byte->readyAt <= now && due.size() < kChunkSize; ++byte) {
    due.push_back(byte->value);
  }
  if (due.empty()) return;
  const ssize_t written = write(terminal_->MasterFd(), due.data(), due.size());
  if (written <= 0) return;  // full: the poll waits until the program has read
  log_.Bytes(now, "device", std::span(due).first(static_cast<std::size_t>(written)));
  outbox_.erase(outbox_.begin(), outbox_.begin() + written);
}

// The device drops the line once its last byte is out: the master goes, and a new pair takes
// its place so that the program can open the port again.
bool PtyHost::HangUpIfDue(std::string& error) {
  const std::optional<Instant> hungUpAt = device_.HungUpAt();
  if (slaveOpens_ == 0 || !hungUpAt || !outbox_.empty() || clock_.Now() < *hungUpAt) return true;
  log_.Event(clock_.Now(), "device hung up");
  device_.PortClosed();
  return OpenLine(error);
}

void PtyHost::SaveAfterUpload() {
  if (!options_.savePath || device_.UploadsApplied() == savedUploads_) return;
  savedUploads_ = device_.UploadsApplied();
  std::string error;
  if (SaveFlashImage(*options_.savePath, device_.Memory().image, error)) {
    log_.Event(clock_.Now(), "image saved to " + options_.savePath->string());
  } else {
    std::cerr << "userdb-sim: " << error << std::endl;
  }
}

bool PtyHost::FirstByteDue() const { return !outbox_.empty() && outbox_.front().readyAt <= clock_.Now(); }

short PtyHost::MasterEvents() const { return static_cast<short>(POLLIN | (FirstByteDue() ? POLLOUT : 0)); }

// A byte not yet due, or a hang-up, sets the next wake-up; bytes already due wait for POLLOUT.
std::optional<Instant> PtyHost::NextWake() const {
  if (slaveOpens_ == 0) return std::nullopt;
  if (!outbox_.empty()) {
    return FirstByteDue() ? std::nullopt : std::optional<Instant>(outbox_.front().readyAt);
  }
  return device_.HungUpAt();
}

}  // namespace userdb::sim
