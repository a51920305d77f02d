#include "cli/cli_session.h"

#include "app/main_form.h"

namespace userdb::cli {

CliSession::CliSession(SerialPort& port, int portNumber, std::ostream& output, std::ostream& errors,
                       Confirm confirm)
    : state_(port), router_(state_, window_), output_(output), errors_(errors), confirm_(std::move(confirm)) {
  InitialiseMainForm(state_, window_);
  window_.SelectPort(portNumber - 1);
  window_.SetBoxHandler([this](const MessageBoxRequest& box) { return Answer(box); });
}

BoxAnswer CliSession::Answer(const MessageBoxRequest& box) {
  if (box.kind == BoxKind::YesNo) return confirm_(box.text) ? BoxAnswer::Yes : BoxAnswer::No;
  if (box.caption == kCaptionApiReturn) {
    output_ << box.text << '\n';
  } else {
    errors_ << "userdb: " << box.text << '\n';
  }
  return BoxAnswer::Ok;
}

std::string CliSession::LastBoxText() const {
  const auto& boxes = window_.Boxes();
  return boxes.empty() ? std::string() : boxes.back().text;
}

}  // namespace userdb::cli
