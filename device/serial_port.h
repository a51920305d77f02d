#pragma once
// What the device link needs of a serial line. Backends: POSIX termios, Win32, in-process simulator.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "device/clock.h"

namespace userdb {

inline constexpr int kBaudRate = 115200;
inline constexpr std::chrono::milliseconds kReadLimit{100};

struct ReadResult {
  std::size_t count = 0;  // bytes delivered, 0 when nothing came within the limit
  bool lineLost = false;  // the device hung up or the port failed: nothing more will come
};

struct WriteResult {
  std::size_t count = 0;  // bytes the port took, possibly fewer than offered
  bool lineLost = false;
};

// Why a port did not open: a small closed set, with the system's own words for the details.
enum class OpenStatus {
  Opened,
  NoSuchPort,       // nothing there, or unplugged
  Busy,             // another program holds it
  NoPermission,     // this user may not open it
  SettingsRefused,  // it opened, but would not take the line settings
  NotConnected,     // a radio link that did not come up in time
};

struct OpenResult {
  OpenStatus status = OpenStatus::Opened;
  std::string systemMessage;  // what the system said, or who holds the port; may be empty
  std::string deviceName;     // what was opened: a device path, or "COM5"

  explicit operator bool() const { return status == OpenStatus::Opened; }
};

// A Bluetooth serial link may open before it is connected; bytes sent then are lost.
enum class LinkState { Connected, Connecting };

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens COM port n (1 to 256) at 115200 8N1, DTR and RTS on, no flow control.
  // Fails for a port that does not exist, is held elsewhere, or refuses the settings.
  virtual OpenResult Open(int portNumber) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;

  // Returns as soon as buffer.size() bytes are in, else 100 ms after it began with what came.
  // Bytes of the buffer beyond those delivered are left untouched.
  virtual ReadResult ReadOnce(std::span<std::uint8_t> buffer) = 0;

  // One write attempt, bounded by about 100 ms; it may take fewer bytes than offered.
  virtual WriteResult Write(std::span<const std::uint8_t> bytes) = 0;

  // The clock on which this line's time passes (real time, or the simulator's virtual time).
  virtual const Clock& LineClock() const = 0;
  // Lets this much of the line's time pass, with or without a port open.
  virtual void Sleep(Duration span) = 0;

  // Whether the open port's link is up; only radio links can be otherwise.
  virtual LinkState Link() const { return LinkState::Connected; }
};

}  // namespace userdb
