#include "sim/device_simulator.h"

#include <algorithm>
#include <utility>

#include "base/little_endian.h"
#include "sim/wire_texts.h"

namespace userdb::sim {
namespace {

enum class Fit { None, Partial, Whole };

// How far the bytes received so far agree with a text the device listens for.
Fit FitsText(std::span<const std::uint8_t> received, std::span<const std::uint8_t> text) {
  const std::size_t compared = std::min(received.size(), text.size());
  if (!std::equal(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(compared), text.begin())) {
    return Fit::None;
  }
  return received.size() >= text.size() ? Fit::Whole : Fit::Partial;
}

bool IsFrameCode(std::uint8_t code) {
  return code == kReadRecordsCode || code == kReadNotesCode || code == kReadDeviceInfoCode ||
         code == kWriteDatabaseCode;
}

// A frame's start so far: a known first code, and the second code its partner when it is in.
bool StartsFrame(std::span<const std::uint8_t> received) {
  if (!IsFrameCode(received[0])) return false;
  return received.size() < 2 || received[1] == static_cast<std::uint8_t>(received[0] + kFrameCodeStep);
}

std::size_t PhaseIndex(Phase phase) { return static_cast<std::size_t>(phase); }

}  // namespace

DeviceSimulator::DeviceSimulator(const DeviceMemory& memory, DeviceTiming timing, FaultPlan faults, ListLength lists)
    : memory_(memory), timing_(timing), faults_(std::move(faults)), lists_(lists), transmitter_(timing.byteTime) {}

void DeviceSimulator::PortOpened(Instant now) {
  conversations_.emplace_back();
  open_ = true;
  updateMode_ = false;
  pending_.clear();
  upload_.reset();
  sentInPhase_.fill(0);
  hungUpAt_.reset();
  transmitter_.Restart(now);
  if (faults_.noBanner) return;
  BeginAnswer(Phase::Banner, now);
  SendText(Phase::Banner, kBanner, now);
}

void DeviceSimulator::PortClosed() {
  if (!open_) return;
  open_ = false;
  updateMode_ = false;
  transmitter_.TakeOutput();
  conversations_.back().closed = true;
}

void DeviceSimulator::Receive(std::span<const std::uint8_t> bytes, Instant now) {
  if (!open_) return;
  Conversation& conversation = conversations_.back();
  conversation.received.insert(conversation.received.end(), bytes.begin(), bytes.end());
  for (std::uint8_t byte : bytes) {
    if (hungUpAt_) return;
    if (upload_) {
      TakeImageByte(byte, now);
    } else {
      TakeCommandByte(byte, now);
    }
  }
}

// Bytes arrive one at a time, so at most one text or frame is ever complete in pending_.
void DeviceSimulator::TakeCommandByte(std::uint8_t byte, Instant now) {
  pending_.push_back(byte);
  while (!pending_.empty()) {
    const Fit exit = FitsText(pending_, kExitMessage);
    const Fit request = FitsText(pending_, kUpdateRequest);
    if (exit == Fit::Whole) {
      Consume(kExitMessage.size());
      Hear(Heard::ExitMessage);
      updateMode_ = false;
    } else if (request == Fit::Whole) {
      Consume(kUpdateRequest.size());
      AnswerUpdateRequest(now);
    } else if (exit == Fit::Partial || request == Fit::Partial) {
      return;
    } else if (updateMode_ && StartsFrame(pending_)) {
      if (pending_.size() < kFrameSize) return;
      std::array<std::uint8_t, kFrameSize> frame{};
      std::copy_n(pending_.begin(), kFrameSize, frame.begin());
      Consume(kFrameSize);
      RunFrame(frame, now);
    } else {
      Consume(1);
      Hear(Heard::Noise);
    }
  }
}

void DeviceSimulator::Consume(std::size_t count) {
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
}

void DeviceSimulator::Hear(Heard what) {
  std::vector<Heard>& heard = conversations_.back().heard;
  // A run of noise is one event: what matters is where it came.
  if (what == Heard::Noise && !heard.empty() && heard.back() == Heard::Noise) return;
  heard.push_back(what);
}

void DeviceSimulator::AnswerUpdateRequest(Instant now) {
  Hear(Heard::UpdateRequest);
  updateMode_ = true;
  std::span<const std::uint8_t> answer = kUpdateAnswer;
  if (faults_.wrongAnswer) answer = kWrongUpdateAnswer;
  if (faults_.answerWithoutZero) answer = answer.first(answer.size() - 1);
  BeginAnswer(Phase::Handshake, now);
  SendText(Phase::Handshake, answer, now);
}

void DeviceSimulator::RunFrame(std::span<const std::uint8_t, kFrameSize> frame, Instant now) {
  switch (frame[0]) {
    case kReadRecordsCode:
      Hear(Heard::ReadRecords);
      SendRecords(now);
      break;
    case kReadNotesCode:
      Hear(Heard::ReadNotes);
      SendNotes(now);
      break;
    case kReadDeviceInfoCode:
      Hear(Heard::ReadDeviceInfo);
      SendDeviceInfo(now);
      break;
    default:
      Hear(Heard::WriteDatabase);
      BeginUpload(frame, now);
      break;
  }
}

std::size_t DeviceSimulator::ListCount() const {
  if (lists_ == ListLength::All) return kPointCount;
  std::size_t count = kPointCount;
  while (count > 0 && IsEmptyPoint(memory_.Point(count - 1))) --count;
  return count;
}

// The header is not a block of the list: lulls count records from the first one.
void DeviceSimulator::SendRecords(Instant now) {
  BeginAnswer(Phase::Records, now);
  std::array<std::uint8_t, kDownloadHeaderSize> header{};
  header[4] = memory_.unit;
  Send(Phase::Records, header, now);
  const std::size_t count = std::min(ListCount(), faults_.stopAfterRecords.value_or(kPointCount));
  for (std::size_t k = 0; k < count; ++k) {
    SendBlock(Phase::Records, memory_.Point(k), faults_.stallInRecord == k, now);
  }
}

void DeviceSimulator::SendNotes(Instant now) {
  BeginAnswer(Phase::Notes, now);
  const std::size_t count = std::min(ListCount(), faults_.stopAfterNotes.value_or(kPointCount));
  for (std::size_t k = 0; k < count; ++k) {
    SendBlock(Phase::Notes, memory_.Note(k), faults_.stallInNote == k, now);
  }
  Send(Phase::Notes, faults_.afterNotes, now);
}

void DeviceSimulator::SendDeviceInfo(Instant now) {
  BeginAnswer(Phase::Info, now);
  std::array<std::uint8_t, kInfoBlockSize> info = memory_.info;
  for (std::size_t i = 0; i < kInfoBlockSize; ++i) {
    if (faults_.infoBytesFF.test(i)) info[i] = 0xFF;
  }
  SendBlock(Phase::Info, info, false, now);
  SendBlock(Phase::Info, memory_.version, false, now);
  if (!faults_.noUpdateOver) SendText(Phase::Info, kUpdateOver, now);
}

void DeviceSimulator::BeginUpload(std::span<const std::uint8_t, kFrameSize> frame, Instant now) {
  upload_ = Upload{};
  upload_->length = ReadLe32(frame, 2);
  upload_->checksum = frame[6];
  upload_->image.reserve(std::min<std::size_t>(upload_->length, kFlashImageSize));
  if (faults_.tornWriteAfter) EraseFlash();
  if (BreaksOffAfter(0)) {
    HangUp(now);
  } else if (upload_->length == 0) {
    FinishUpload(now);
  }
}

void DeviceSimulator::TakeImageByte(std::uint8_t byte, Instant now) {
  Upload& upload = *upload_;
  ++upload.taken;
  upload.runningXor ^= byte;
  if (upload.image.size() < kFlashImageSize) upload.image.push_back(byte);
  if (BreaksOffAfter(upload.taken)) {
    HangUp(now);
  } else if (upload.taken == upload.length) {
    FinishUpload(now);
  }
}

void DeviceSimulator::FinishUpload(Instant now) {
  Hear(Heard::Image);
  const Upload& upload = *upload_;
  const bool good = upload.length == kFlashImageSize && upload.runningXor == upload.checksum && !faults_.checksumError;
  if (good) {
    std::copy(upload.image.begin(), upload.image.end(), memory_.image.begin());
    if (faults_.storeWrongByte && *faults_.storeWrongByte < kFlashImageSize) {
      memory_.image[*faults_.storeWrongByte] = static_cast<std::uint8_t>(~memory_.image[*faults_.storeWrongByte]);
    }
    ++uploadsApplied_;
    ++flashWrites_;
    transmitter_.Pause(timing_.eraseDelay, now);
  }
  upload_.reset();
  BeginAnswer(Phase::Verdict, now);
  SendText(Phase::Verdict, good ? kChecksumOk : kChecksumError, now);
  if (!faults_.noUpdateOver) SendText(Phase::Verdict, kUpdateOver, now);
}

void DeviceSimulator::BeginAnswer(Phase phase, Instant now) {
  blocksInAnswer_[PhaseIndex(phase)] = 0;
  if (!faults_.garbageBefore || faults_.garbageBefore->phase != phase) return;
  const std::vector<std::uint8_t> noise(faults_.garbageBefore->count, kNoiseByte);
  Send(phase, noise, now);
}

void DeviceSimulator::SendText(Phase phase, std::span<const std::uint8_t> text, Instant now) {
  SendBlock(phase, text, faults_.splitTextsIn == phase, now);
}

void DeviceSimulator::BeginBlock(Phase phase, Instant now) {
  const std::optional<Duration> lull = TakeLullBefore(faults_, phase, blocksInAnswer_[PhaseIndex(phase)]++);
  if (lull && !faults_.silent && !hungUpAt_) transmitter_.Pause(*lull, now);
}

void DeviceSimulator::SendBlock(Phase phase, std::span<const std::uint8_t> block, bool stallHalfway, Instant now) {
  BeginBlock(phase, now);
  if (!stallHalfway) {
    Send(phase, block, now);
    return;
  }
  const std::size_t half = block.size() / 2;
  Send(phase, block.first(half), now);
  if (!faults_.silent && !hungUpAt_) transmitter_.Pause(faults_.pause, now);
  Send(phase, block.subspan(half), now);
}

// Every byte the device sends passes here, so that silence and hang-ups apply to all of them.
void DeviceSimulator::Send(Phase phase, std::span<const std::uint8_t> bytes, Instant now) {
  if (faults_.silent || hungUpAt_) return;
  std::size_t& sent = sentInPhase_[PhaseIndex(phase)];
  if (!HangsUpIn(phase)) {
    transmitter_.Send(bytes, now);
    sent += bytes.size();
    return;
  }
  const std::size_t limit = faults_.hangUpAfter->count;
  const std::size_t allowed = std::min(bytes.size(), limit - sent);
  transmitter_.Send(bytes.first(allowed), now);
  sent += allowed;
  if (sent == limit) HangUp(std::max(now, transmitter_.FreeAt()));
}

bool DeviceSimulator::BreaksOffAfter(std::size_t imageBytes) const {
  if (faults_.tornWriteAfter && *faults_.tornWriteAfter == imageBytes) return true;
  return HangsUpIn(Phase::Upload) && faults_.hangUpAfter->count == imageBytes;
}

void DeviceSimulator::EraseFlash() {
  memory_.image.fill(0xFF);
  ++flashWrites_;
}

void DeviceSimulator::HangUp(Instant at) {
  hungUpAt_ = at;
  updateMode_ = false;
  upload_.reset();
  conversations_.back().hungUp = true;
}

}  // namespace userdb::sim
