#pragma once
// The device's side of the protocol as a pure state machine: no I/O and no clock of its own.
// A host tells it when the port opens and closes and what the program wrote, each with the
// moment it happened, and hands on what it sends, each byte stamped with when it can be read.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/clock.h"
#include "sim/device_memory.h"
#include "sim/fault_plan.h"
#include "sim/sample_memory.h"
#include "sim/transmitter.h"
#include "sim/wire_texts.h"

namespace userdb::sim {

// How much of its lists the device sends: all 256 entries, or only up to its last point.
enum class ListLength { All, Filled };

struct DeviceTiming {
  Duration byteTime = Duration::zero();                  // kPacedByteTime for a line at 115200 8N1
  Duration eraseDelay = std::chrono::milliseconds(500);  // flash erase before a good verdict
};

// What the device made of the bytes it received, in order.
enum class Heard { UpdateRequest, ReadRecords, ReadNotes, ReadDeviceInfo, WriteDatabase, Image, ExitMessage, Noise };

// One opening of the port, from the device's point of view.
struct Conversation {
  std::vector<std::uint8_t> received;  // every byte the program wrote, as written
  std::vector<Heard> heard;
  bool hungUp = false;  // the device dropped the line
  bool closed = false;  // the program closed the port
};

class DeviceSimulator {
 public:
  explicit DeviceSimulator(const DeviceMemory& memory = SampleMemory(), DeviceTiming timing = {}, FaultPlan faults = {},
                           ListLength lists = ListLength::All);

  void PortOpened(Instant now);
  void Receive(std::span<const std::uint8_t> bytes, Instant now);
  void PortClosed();

  // What the device sent since the last call; dropped unread when the port closes.
  std::vector<TimedByte> TakeOutput() { return transmitter_.TakeOutput(); }
  // Set once the device has dropped the line in this conversation: when it did.
  std::optional<Instant> HungUpAt() const { return hungUpAt_; }

  bool InUpdateMode() const { return updateMode_; }
  DeviceMemory& Memory() { return memory_; }
  const DeviceMemory& Memory() const { return memory_; }
  // Faults may be changed between conversations.
  FaultPlan& Faults() { return faults_; }
  ListLength& Lists() { return lists_; }
  const std::vector<Conversation>& Conversations() const { return conversations_; }
  int UploadsApplied() const { return uploadsApplied_; }
  // Every change of the flash: an applied upload, or an erase that a write left behind.
  int FlashWrites() const { return flashWrites_; }

 private:
  struct Upload {
    std::uint32_t length = 0;
    std::uint8_t checksum = 0;
    std::uint32_t taken = 0;
    std::uint8_t runningXor = 0;
    std::vector<std::uint8_t> image;  // the first kFlashImageSize bytes taken
  };

  void TakeCommandByte(std::uint8_t byte, Instant now);
  void TakeImageByte(std::uint8_t byte, Instant now);
  void Hear(Heard what);
  void Consume(std::size_t count);

  void AnswerUpdateRequest(Instant now);
  void RunFrame(std::span<const std::uint8_t, kFrameSize> frame, Instant now);
  void SendRecords(Instant now);
  void SendNotes(Instant now);
  void SendDeviceInfo(Instant now);
  void BeginUpload(std::span<const std::uint8_t, kFrameSize> frame, Instant now);
  void FinishUpload(Instant now);

  // Records and notes to send: all of them, or up to the last filled record.
  std::size_t ListCount() const;

  void BeginAnswer(Phase phase, Instant now);
  // Every block the device sends starts here, so that a lull can come before it.
  void BeginBlock(Phase phase, Instant now);
  void SendText(Phase phase, std::span<const std::uint8_t> text, Instant now);
  void SendBlock(Phase phase, std::span<const std::uint8_t> block, bool stallHalfway, Instant now);
  void Send(Phase phase, std::span<const std::uint8_t> bytes, Instant now);
  void HangUp(Instant at);
  // Whether the line drops once this many bytes of the image are in.
  bool BreaksOffAfter(std::size_t imageBytes) const;
  void EraseFlash();
  bool HangsUpIn(Phase phase) const { return faults_.hangUpAfter && faults_.hangUpAfter->phase == phase; }

  DeviceMemory memory_;
  DeviceTiming timing_;
  FaultPlan faults_;
  ListLength lists_;
  Transmitter transmitter_;

  bool open_ = false;
  bool updateMode_ = false;
  std::vector<std::uint8_t> pending_;  // command bytes not yet understood
  std::optional<Upload> upload_;
  std::array<std::size_t, kPhaseCount> sentInPhase_{};
  std::array<std::size_t, kPhaseCount> blocksInAnswer_{};
  std::optional<Instant> hungUpAt_;

  std::vector<Conversation> conversations_;
  int uploadsApplied_ = 0;
  int flashWrites_ = 0;
};

}  // namespace userdb::sim
