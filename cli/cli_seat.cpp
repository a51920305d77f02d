#include "cli/cli_seat.h"

#include "app/user_messages.h"
#include "device/serial_channel.h"

namespace userdb::cli {
namespace {

std::string Reason(OpenStatus status) {
  switch (status) {
    case OpenStatus::Opened:
      break;
    case OpenStatus::NoSuchPort:
      return "no such port";
    case OpenStatus::Busy:
      return "another program holds it";
    case OpenStatus::NoPermission:
      return "no permission to open it";
    case OpenStatus::SettingsRefused:
      return "it would not take the line settings (115200 baud, 8N1)";
    case OpenStatus::NotConnected:
      return "the Bluetooth link did not connect within " + std::to_string(kLinkConnectLimit.count()) + " s";
  }
  return "it did not open";
}

}  // namespace

std::string DescribeOpenFailure(const PortFailure& failure, const std::optional<std::string>& portPath) {
  std::string text = portPath ? "Can not open " + *portPath
                              : std::string(message::kCanNotOpenCom) + std::to_string(failure.portNumber);
  text += ": " + Reason(failure.result.status);
  if (!failure.result.systemMessage.empty()) text += " (" + failure.result.systemMessage + ")";
  return text;
}

void CommandLineSeat::PortNotOpened(const PortFailure& failure) {
  errors_ << "userdb: " << DescribeOpenFailure(failure, portPath_) << '\n';
#ifdef __linux__
  if (failure.result.status == OpenStatus::NoPermission) {
    errors_ << "userdb: serial ports belong to the dialout group: join it with `sudo usermod -aG dialout $USER`, "
               "then log in again\n";
  }
#endif
}

void CommandLineSeat::WaitingForLink(int portNumber) {
  errors_ << "userdb: waiting up to " << kLinkConnectLimit.count() << " s for the Bluetooth link on "
          << PortName(portNumber) << " to connect\n";
}

void CommandLineSeat::HandshakeRetry(int attempt, int tries) {
  errors_ << "userdb: no proper answer to the update request (try " << attempt << " of " << tries
          << "), trying again\n";
}

void CommandLineSeat::NoUpdateMode() { errors_ << "userdb: " << message::kNoUpdateMode << '\n'; }

std::string CommandLineSeat::PortName(int portNumber) const {
  return portPath_.value_or("COM" + std::to_string(portNumber));
}

}  // namespace userdb::cli
