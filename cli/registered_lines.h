#pragma once
// `userdb ports` on Windows: the COM ports that its device registry names, with what it tells
// of their hardware, and those that lead somewhere without being named there (Wine's links).
// Plain text work, built into userdb.exe and tested on every platform.

#include <functional>
#include <string>
#include <vector>

#include "cli/line_choice.h"
#include "platform/win32/device_registry.h"

namespace userdb::cli {

// What COM port n leads to on this machine: its DOS device, or the path that opened it; empty
// when it leads nowhere.
using PortDevice = std::function<std::string(int portNumber)>;

// COM1 to COM256 where the registry names the port or `device` finds it leading somewhere, in
// number order; a port the registry names is listed even when it leads nowhere just now.
std::vector<ListedLine> RegisteredLines(const win32::DeviceRegistry& registry, const PortDevice& device);

}  // namespace userdb::cli
