#pragma once
// The program's one connection to a COM port, on top of a platform's SerialPort.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/device_seat.h"
#include "device/serial_port.h"

namespace userdb {

// WriteAll gives up when the port has taken nothing for this long.
inline constexpr std::chrono::seconds kWriteStallLimit{2};

// How long a Bluetooth link that opened unconnected may take to come up.
inline constexpr std::chrono::seconds kLinkConnectLimit{10};
inline constexpr std::chrono::milliseconds kLinkPoll{100};

// A radio link falls silent for a few hundred milliseconds now and then. Inside a device's
// answer a read that delivers nothing only suspects its end: the answer is over once the line
// has been silent this long, and bytes that come before then continue it.
inline constexpr std::chrono::milliseconds kLullLimit{600};

// How much silence a block read rides out: before the block's first byte, and once it has
// begun. Zero ends the read at the first read that delivers nothing.
struct Patience {
  Duration beforeStart{};
  Duration inside{};
};
inline constexpr Patience kUntilFirstSilence{};
inline constexpr Patience kThroughLulls{kLullLimit, kLullLimit};
// For what may never come, such as a banner: one read waits for it, a lull inside is ridden out.
inline constexpr Patience kPromptStart{Duration::zero(), kLullLimit};

class SerialChannel {
 public:
  explicit SerialChannel(SerialPort& port) : port_(port) {}

  // Opens port n for a conversation and waits for its link to be up; tells the seat when it
  // fails.
  bool OpenForConversation(int portNumber, DeviceSeat& seat);
  // Opens port n as it is, without waiting for its link: what the scan does.
  OpenResult OpenPortNumber(int portNumber);
  void ClosePort();

  // Sends every byte; false when the line is lost or the port took nothing for kWriteStallLimit.
  bool WriteAll(std::span<const std::uint8_t> bytes);

  // One read with the 100 ms limit; bytes beyond those delivered keep what they held.
  std::size_t ReadOnce(std::span<std::uint8_t> buffer);

  // Reads until the block is complete or the line has been silent for longer than the patience
  // allows: a block is never made up from what the buffer held before.
  std::size_t ReadBlock(std::span<std::uint8_t> block, Patience patience = kUntilFirstSilence);

  // The device hung up or the port failed during this conversation: nothing more will come.
  bool LineLost() const { return lineLost_; }

  Instant Now() const { return port_.LineClock().Now(); }
  void Sleep(Duration span) { port_.Sleep(span); }

 private:
  // The open port's link up, or the port closed again after kLinkConnectLimit.
  OpenResult AwaitLink(int portNumber, OpenResult opened, DeviceSeat& seat);

  SerialPort& port_;
  bool lineLost_ = false;
};

}  // namespace userdb
