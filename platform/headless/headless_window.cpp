#include "platform/headless/headless_window.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "app/control_ids.h"

namespace userdb {

HeadlessWindow::HeadlessWindow(const DialogTemplate& form) : portEntries_(PortListEntries()) {
  for (const ControlSpec& entry : form.controls) {
    if (entry.id == ids::kStatic) continue;
    ControlState& state = controls_[entry.id];
    state.text = entry.text;
    state.enabled = entry.enabledAtStart;
    state.upperCase = entry.Has(style::kUpperCase);
  }
}

HeadlessWindow::ControlState& HeadlessWindow::Control(int controlId) {
  const auto found = controls_.find(controlId);
  if (found == controls_.end()) throw std::out_of_range("no control " + std::to_string(controlId));
  return found->second;
}

const HeadlessWindow::ControlState& HeadlessWindow::Control(int controlId) const {
  return const_cast<HeadlessWindow*>(this)->Control(controlId);
}

std::string HeadlessWindow::Text(int controlId, std::size_t bufferSize) const {
  const std::string& text = Control(controlId).text;
  if (bufferSize == 0) return {};
  return text.substr(0, std::min(text.size(), bufferSize - 1));
}

void HeadlessWindow::SetText(int controlId, std::string_view text) { Control(controlId).text = text; }

bool HeadlessWindow::IsRowChecked(int row) const { return Control(ids::RowCheck(row)).checked; }

void HeadlessWindow::SetRowChecked(int row, bool checked) { Control(ids::RowCheck(row)).checked = checked; }

void HeadlessWindow::Enable(int controlId, bool enabled) { Control(controlId).enabled = enabled; }

int HeadlessWindow::PortSelection() const { return portSelection_; }

void HeadlessWindow::SelectPort(int index) {
  const bool inRange = index >= 0 && index < static_cast<int>(portEntries_.size());
  portSelection_ = inRange ? index : -1;
}

BoxAnswer HeadlessWindow::ShowMessage(const MessageBoxRequest& box) {
  boxes_.push_back(box);
  if (boxHandler_) return boxHandler_(box);
  return box.kind == BoxKind::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

void HeadlessWindow::Close() { closed_ = true; }

std::string HeadlessWindow::TextOf(int controlId) const { return Control(controlId).text; }

void HeadlessWindow::Type(int controlId, std::string_view typed) {
  ControlState& state = Control(controlId);
  state.text = typed;
  if (state.upperCase) {
    std::transform(state.text.begin(), state.text.end(), state.text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  }
}

bool HeadlessWindow::IsEnabled(int controlId) const { return Control(controlId).enabled; }

}  // namespace userdb
