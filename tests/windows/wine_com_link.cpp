#include "tests/windows/wine_com_link.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/win32/win32_serial_port.h"

namespace userdb::test {
namespace {

constexpr int kPolls = 100;
constexpr DWORD kPollMilliseconds = 50;

// Wine's prefix as a Windows path: WINECONFIGDIR is "\??\Z:\path".
std::string PrefixFolder() {
  const char* config = std::getenv("WINECONFIGDIR");
  if (config == nullptr) return {};
  const std::string folder = config;
  return folder.rfind("\\??\\", 0) == 0 ? folder.substr(4) : folder;
}

// Starts a Linux program in the prefix's dosdevices folder. Wine gives no handle to wait on.
bool RunInDosDevices(const std::string& program, std::string commandLine) {
  const std::string folder = PrefixFolder() + "\\dosdevices";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(("Z:" + program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return false;
  }
  for (const HANDLE handle : {process.hProcess, process.hThread}) {
    if (handle != nullptr) CloseHandle(handle);
  }
  return true;
}

bool Opens(int portNumber) {
  const HANDLE handle = CreateFileA(Win32PortPath(portNumber).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

bool OpensWithin(int portNumber, bool wanted) {
  for (int poll = 0; poll < kPolls; ++poll) {
    if (Opens(portNumber) == wanted) return true;
    Sleep(kPollMilliseconds);
  }
  return false;
}

std::string LinkName(int portNumber) { return "com" + std::to_string(portNumber); }

}  // namespace

WineComLink::WineComLink(int portNumber, const std::string& target) : portNumber_(portNumber) {
  made_ = !PrefixFolder().empty() && RunInDosDevices("/bin/ln", "ln -sfn " + target + " " + LinkName(portNumber)) &&
          OpensWithin(portNumber, true);
}

WineComLink::~WineComLink() {
  if (made_ && RunInDosDevices("/bin/rm", "rm -f " + LinkName(portNumber_))) OpensWithin(portNumber_, false);
}

}  // namespace userdb::test
