#include "platform/win32/win32_serial_port.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string>

namespace userdb {
namespace {

constexpr DWORD kLimitMs = 100;
static_assert(kReadLimit.count() == kLimitMs);

// The total limit ends every read and write after 100 ms; the interval limit never ends one sooner.
constexpr COMMTIMEOUTS kTimeouts = {
    .ReadIntervalTimeout = kLimitMs,
    .ReadTotalTimeoutMultiplier = 0,
    .ReadTotalTimeoutConstant = kLimitMs,
    .WriteTotalTimeoutMultiplier = 0,
    .WriteTotalTimeoutConstant = kLimitMs,
};

// Cleared first, so every field not named here, flow control included, is off.
constexpr DCB LineSettings() {
  DCB settings{};
  settings.DCBlength = sizeof(DCB);
  settings.BaudRate = kBaudRate;
  settings.fBinary = 1;
  settings.fDtrControl = DTR_CONTROL_ENABLE;
  settings.fRtsControl = RTS_CONTROL_ENABLE;
  settings.ByteSize = 8;
  settings.Parity = NOPARITY;
  settings.StopBits = ONESTOPBIT;
  settings.XonChar = 0x11;
  settings.XoffChar = 0x13;
  return settings;
}

// The driver reads the block by its layout: 28 bytes, the flag word at offset 8.
static_assert(sizeof(DCB) == 28);
constexpr std::uint32_t FlagWord(const DCB& settings) {
  const auto bytes = std::bit_cast<std::array<std::uint8_t, sizeof(DCB)>>(settings);
  return static_cast<std::uint32_t>(bytes[8]) | (static_cast<std::uint32_t>(bytes[9]) << 8) |
         (static_cast<std::uint32_t>(bytes[10]) << 16) | (static_cast<std::uint32_t>(bytes[11]) << 24);
}
static_assert(FlagWord(LineSettings()) == 0x1011);

// The errors that USB serial drivers give once their device has been pulled out.
bool MeansDeviceGone(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_COMMAND:
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_GEN_FAILURE:
      return true;
    default:
      return false;
  }
}

// The system's own words for an error, without the line break it ends them with.
std::string SystemMessage(DWORD error) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

// A COM port that another program has open answers ACCESS_DENIED, not a sharing violation.
OpenStatus StatusOfOpenError(DWORD error) {
  const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
  return held ? OpenStatus::Busy : OpenStatus::NoSuchPort;
}

DWORD ClampedLength(std::size_t length) { return static_cast<DWORD>(std::min<std::size_t>(length, MAXDWORD)); }

}  // namespace

std::string Win32PortPath(int portNumber) { return "\\\\.\\COM" + std::to_string(portNumber); }

Win32SerialPort::~Win32SerialPort() { Close(); }

OpenResult Win32SerialPort::Open(int portNumber) {
  Close();
  const std::string name = Win32PortPath(portNumber);
  const std::string shownName = "COM" + std::to_string(portNumber);
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return {StatusOfOpenError(error), SystemMessage(error), shownName};
  }
  COMMTIMEOUTS timeouts = kTimeouts;
  SetCommTimeouts(handle, &timeouts);  // a port that keeps its own limits is still usable
  DCB settings = LineSettings();
  if (!SetCommState(handle, &settings)) {
    const DWORD error = GetLastError();
    // Keeping the handle would hold the port against every later open of it.
    CloseHandle(handle);
    return {OpenStatus::SettingsRefused, SystemMessage(error), shownName};
  }
  handle_ = handle;
  return {OpenStatus::Opened, "", shownName};
}

bool Win32SerialPort::IsOpen() const { return handle_ != nullptr; }

void Win32SerialPort::Close() {
  if (!IsOpen()) return;
  CloseHandle(handle_);
  handle_ = nullptr;
}

ReadResult Win32SerialPort::ReadOnce(std::span<std::uint8_t> buffer) {
  if (!IsOpen()) return {.count = 0, .lineLost = true};
  DWORD received = 0;
  if (!ReadFile(handle_, buffer.data(), ClampedLength(buffer.size()), &received, nullptr)) {
    return {.count = 0, .lineLost = MeansDeviceGone(GetLastError())};
  }
  return {.count = received, .lineLost = false};
}

WriteResult Win32SerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return {.count = 0, .lineLost = true};
  DWORD sent = 0;
  if (!WriteFile(handle_, bytes.data(), ClampedLength(bytes.size()), &sent, nullptr)) {
    return {.count = sent, .lineLost = MeansDeviceGone(GetLastError())};
  }
  return {.count = sent, .lineLost = false};
}

const Clock& Win32SerialPort::LineClock() const { return clock_; }

void Win32SerialPort::Sleep(Duration span) {
  ::Sleep(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(span).count()));
}

}  // namespace userdb
