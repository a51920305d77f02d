#include "cli/waiting_port.h"

#include <algorithm>
#include <thread>

namespace userdb::cli {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Settings a port refuses stay refused; the rest may change while waiting.
bool MayChange(OpenStatus status) {
  return status == OpenStatus::NoSuchPort || status == OpenStatus::Busy || status == OpenStatus::NoPermission;
}

std::string_view Awaited(OpenStatus status) {
  switch (status) {
    case OpenStatus::Busy:
      return "to be free";
    case OpenStatus::NoPermission:
      return "to let this user open it";
    default:
      return "to appear";
  }
}

}  // namespace

WaitingPort::WaitingPort(SerialPort& line, std::chrono::seconds bound, std::ostream* told,
                         std::optional<std::string> portPath)
    : PortRelay(line), deadline_(SteadyClock::now() + bound), told_(told), portPath_(std::move(portPath)) {}

OpenResult WaitingPort::Open(int portNumber) {
  OpenResult result = Line().Open(portNumber);
  while (!result && MayChange(result.status) && SteadyClock::now() < deadline_) {
    TellWaiting(portNumber, result);
    std::this_thread::sleep_for(std::min<SteadyClock::duration>(kPortPoll, deadline_ - SteadyClock::now()));
    result = Line().Open(portNumber);
  }
  return result;
}

void WaitingPort::TellWaiting(int portNumber, const OpenResult& failed) {
  if (told_ == nullptr) return;
  const std::string com = "COM" + std::to_string(portNumber);
  std::string name = portPath_.value_or(com);
  if (!portPath_ && !failed.deviceName.empty() && failed.deviceName != com) name = failed.deviceName + " (" + com + ")";
  const auto left = std::chrono::ceil<std::chrono::seconds>(deadline_ - SteadyClock::now());
  *told_ << "userdb: waiting up to " << left.count() << " s for " << name << ' ' << Awaited(failed.status) << '\n';
  told_ = nullptr;  // once: the rest of the wait is silent
}

}  // namespace userdb::cli
