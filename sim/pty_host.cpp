#include "sim/pty_host.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
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
// A paced line takes the program's bytes no faster than the baud rate: beyond this many the
// pty's own buffer fills and the program's writes wait, as they would on a UART.
constexpr std::size_t kPacedInputWindow = 64;

// Closing the master throws away what the slave holds, so a hang-up waits for the program to
// read what came before it: settle lets the kernel pass on the last write, the grace period
// keeps a program that stopped reading from holding the line up for good.
constexpr std::chrono::milliseconds kHangUpSettle{10};
constexpr std::chrono::milliseconds kHangUpRecheck{5};
constexpr std::chrono::milliseconds kHangUpGrace{1000};

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
    const Instant now = clock_.Now();
    const Wait wait = NextWait(now);
    std::array<pollfd, 3> fds{
        {{stop.Fd(), POLLIN, 0}, {watch_.Fd(), POLLIN, 0}, {terminal_->MasterFd(), wait.masterEvents, 0}}};
    const timespec timeout = ToTimespec(wait.wake.value_or(now) - now);
    if (ppoll(fds.data(), fds.size(), wait.wake ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) {
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
  inbox_.clear();
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
  Deliver(inbox_.size());
  device_.PortClosed();
  terminal_->DiscardUnread();
  outbox_.clear();
  log_.Event(clock_.Now(), "port closed");
}

void PtyHost::ReadFromProgram() {
  const bool paced = options_.timing.byteTime > Duration::zero();
  const bool lineWasIdle = inbox_.empty();
  std::array<std::uint8_t, kChunkSize> buffer{};
  ssize_t count = 0;
  while ((!paced || inbox_.size() < kPacedInputWindow) &&
         (count = read(terminal_->MasterFd(), buffer.data(), paced ? kPacedInputWindow : buffer.size())) > 0) {
    inbox_.insert(inbox_.end(), buffer.begin(), buffer.begin() + count);
  }
  if (!paced) {
    Deliver(inbox_.size());
    return;
  }
  // An idle line banks no time: the first byte after a pause still takes its byte time. A busy
  // one keeps its schedule however late this loop comes round.
  const Instant now = clock_.Now();
  if (lineWasIdle) inputFreeAt_ = std::max(inputFreeAt_, now - options_.timing.byteTime);
  std::size_t arrived = 0;
  while (arrived < inbox_.size() && inputFreeAt_ + options_.timing.byteTime <= now) {
    inputFreeAt_ += options_.timing.byteTime;
    ++arrived;
  }
  Deliver(arrived);
}

void PtyHost::Deliver(std::size_t count) {
  if (count == 0) return;
  const std::vector<std::uint8_t> bytes(inbox_.begin(), inbox_.begin() + static_cast<std::ptrdiff_t>(count));
  inbox_.erase(inbox_.begin(), inbox_.begin() + static_cast<std::ptrdiff_t>(count));
  log_.Bytes(clock_.Now(), "program", bytes);
  device_.Receive(bytes, clock_.Now());
  SaveChangedFlash();
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
  lastWrite_ = now;
  outbox_.erase(outbox_.begin(), outbox_.begin() + written);
}

// The device drops the line once its last byte is out: the master goes, and a new pair takes
// its place so that the program can open the port again.
bool PtyHost::HangUpIfDue(std::string& error) {
  const Instant now = clock_.Now();
  const std::optional<Instant> earliest = PendingHangUp();
  if (!earliest || now < *earliest) return true;
  if (terminal_->UnreadCount() > 0 && now < *earliest + kHangUpGrace) return true;
  log_.Event(now, "device hung up");
  device_.PortClosed();
  return OpenLine(error);
}

// The earliest moment for the hang-up the device asked for; nothing when none is pending.
std::optional<Instant> PtyHost::PendingHangUp() const {
  const std::optional<Instant> hungUpAt = device_.HungUpAt();
  if (slaveOpens_ == 0 || !hungUpAt || !outbox_.empty()) return std::nullopt;
  return std::max(*hungUpAt, lastWrite_ + kHangUpSettle);
}

void PtyHost::SaveChangedFlash() {
  if (!options_.savePath || device_.FlashWrites() == savedFlashWrites_) return;
  savedFlashWrites_ = device_.FlashWrites();
  const storage::FileWriteResult saved = SaveFlashImage(*options_.savePath, device_.Memory().image);
  if (saved) {
    log_.Event(clock_.Now(), "image saved to " + options_.savePath->string());
  } else {
    std::cerr << "userdb-sim: " << saved.message << std::endl;
  }
}

// Bytes already due wait for the master to take them; otherwise the first byte not yet due,
// or a hang-up, sets the wake-up. Both are judged at the same moment, or a byte falling due
// in between would be waited for without POLLOUT.
PtyHost::Wait PtyHost::NextWait(Instant now) const {
  const Wait output = NextOutputWait(now);
  if (inbox_.empty()) return output;
  // Paced input waits for its next byte time, and takes no more from the master meanwhile.
  const Instant nextByte = inputFreeAt_ + options_.timing.byteTime;
  const auto events =
      static_cast<short>(inbox_.size() < kPacedInputWindow ? output.masterEvents : output.masterEvents & ~POLLIN);
  return {events, output.wake ? std::min(*output.wake, nextByte) : nextByte};
}

PtyHost::Wait PtyHost::NextOutputWait(Instant now) const {
  if (slaveOpens_ == 0) return {POLLIN, std::nullopt};
  if (outbox_.empty()) {
    // While the program reads what came before a hang-up, look again now and then.
    const std::optional<Instant> hangUp = PendingHangUp();
    return {POLLIN, hangUp ? std::max(*hangUp, now + kHangUpRecheck) : hangUp};
  }
  if (outbox_.front().readyAt <= now) return {POLLIN | POLLOUT, std::nullopt};
  return {POLLIN, outbox_.front().readyAt};
}

}  // namespace userdb::sim
