#include "cli/cli_session.h"

#include "app/main_form.h"
#include "device/user_messages.h"

namespace userdb::cli {

CliSession::CliSession(SerialPort& port, int portNumber, const SessionStreams& streams, Confirm confirm,
                       const SessionSetup& setup)
    : state_(port), router_(state_, window_), streams_(streams), confirm_(std::move(confirm)) {
  state_.backups = setup.backups;
  state_.events = setup.events;
  state_.handshakeTries = setup.handshakeTries;
  InitialiseMainForm(state_, window_);
  window_.SelectPort(portNumber - 1);
  window_.SetBoxHandler([this](const MessageBoxRequest& box) { return Answer(box); });
}

BoxAnswer CliSession::Answer(const MessageBoxRequest& box) {
  if (box.kind == BoxKind::YesNo) return confirm_(box.text) ? BoxAnswer::Yes : BoxAnswer::No;
  if (box.caption == kCaptionApiReturn) {
    streams_.output << box.text << '\n';
  } else if (!(streams_.quiet && box.text == message::kUploadSucceeded)) {
    streams_.errors << "userdb: " << box.text << '\n';
  }
  return BoxAnswer::Ok;
}

}  // namespace userdb::cli
