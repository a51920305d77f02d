#include <windows.h>

#include <array>
#include <string>
#include <variant>

#include "cli/line_choice.h"
#include "cli/registered_lines.h"
#include "platform/posix/port_argument.h"
#include "platform/win32/setupapi_registry.h"
#include "platform/win32/win32_serial_port.h"

namespace userdb::cli {
namespace {

// The device a DOS name stands for, e.g. \Device\Serial0 for COM1; empty when Windows has no
// such name.
std::string DosDeviceTarget(const std::string& name) {
  std::array<char, MAX_PATH> target{};
  if (QueryDosDeviceA(name.c_str(), target.data(), static_cast<DWORD>(target.size())) == 0) return {};
  return target.data();
}

bool Opens(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

// Windows names every port it has. Wine's serial links ($WINEPREFIX/dosdevices/comN) are not
// names it answers for, but they open; only ports without a name are tried that way.
std::string DeviceOf(int port) {
  if (std::string target = DosDeviceTarget("COM" + std::to_string(port)); !target.empty()) return target;
  const std::string path = Win32PortPath(port);
  return Opens(path) ? path : std::string();
}

}  // namespace

// COMn and n name port n; Windows opens ports by number only, so a device path names none.
LineChoiceResult ChooseLine(std::optional<std::string_view> portArgument) {
  if (!portArgument)
    return {LineOutcome::Chosen, {std::make_unique<Win32SerialPort>(), kDefaultPort, std::nullopt}, {}};
  const std::optional<posix::PortArgument> parsed = posix::ParsePortArgument(*portArgument);
  if (!parsed || !std::holds_alternative<int>(*parsed)) return NoPortCalled(*portArgument);
  return {LineOutcome::Chosen, {std::make_unique<Win32SerialPort>(), std::get<int>(*parsed), std::nullopt}, {}};
}

PinLineResult PinLine(std::string_view, const std::string&) {
  return {PinLineOutcome::NotHere,
          {},
          "Windows names the COM ports itself (Device Manager, Port Settings, Advanced); --pin is for Linux"};
}

std::vector<ListedLine> ListLines() { return RegisteredLines(win32::SetupApiRegistry(), DeviceOf); }

std::string_view PortNamingHelp() {
  return "COM n is the Windows port COMn; Device Manager shows them under \"Ports (COM & LPT)\".\n";
}

}  // namespace userdb::cli
