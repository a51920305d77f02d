#include "platform/headless/headless_window.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "window/control_ids.h"

namespace userdb {
namespace {

std::ostream* transcript = nullptr;

// Texts as one line: control characters and bytes above 0x7E written as \xNN.
std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E || c == '\\') {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string KindWord(BoxKind kind) {
  switch (kind) {
    case BoxKind::YesNo:
      return "yes/no ";
    case BoxKind::YesNoCancel:
      return "yes/no/cancel ";
    default:
      return "ok ";
  }
}

}  // namespace

void HeadlessWindow::SetTranscript(std::ostream* out) { transcript = out; }

void HeadlessWindow::Record(const std::string& operation) const {
  if (transcript != nullptr) *transcript << operation << '\n';
}

HeadlessWindow::HeadlessWindow(const DialogTemplate& form) : portEntries_(PortListEntries()) {
  for (const ControlEntry& entry : form.controls) {
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
  Record("read " + std::to_string(controlId) + " " + std::to_string(bufferSize));
  const std::string& text = Control(controlId).text;
  if (bufferSize == 0) return {};
  return text.substr(0, std::min(text.size(), bufferSize - 1));
}

void HeadlessWindow::SetText(int controlId, std::string_view text) {
  Record("text " + std::to_string(controlId) + " " + Escaped(text));
  Control(controlId).text = text;
}

bool HeadlessWindow::IsRowChecked(int row) const {
  Record("checked? " + std::to_string(row));
  return Control(ids::RowCheck(row)).checked;
}

void HeadlessWindow::SetRowChecked(int row, bool checked) {
  Record("check " + std::to_string(row) + " " + std::to_string(checked));
  Control(ids::RowCheck(row)).checked = checked;
}

void HeadlessWindow::Enable(int controlId, bool enabled) {
  Record("enable " + std::to_string(controlId) + " " + std::to_string(enabled));
  Control(controlId).enabled = enabled;
}

int HeadlessWindow::PortSelection() const {
  Record("selection?");
  return portSelection_;
}

void HeadlessWindow::SelectPort(int index) {
  Record("select " + std::to_string(index));
  const bool inRange = index >= 0 && index < static_cast<int>(portEntries_.size());
  portSelection_ = inRange ? index : -1;
}

BoxAnswer HeadlessWindow::ShowMessage(const MessageBoxRequest& box) {
  Record("box " + std::string(box.owner == BoxOwner::MainWindow ? "owned " : "ownerless ") + KindWord(box.kind) +
         (box.caption ? "[" + Escaped(*box.caption) + "] " : "[] ") + Escaped(box.text));
  boxes_.push_back(box);
  if (boxHandler_) return boxHandler_(box);
  return box.kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
}

std::size_t HeadlessWindow::Choose(const ChoiceRequest& request) {
  std::string choices;
  for (const std::string& choice : request.choices) choices += (choices.empty() ? "" : "|") + Escaped(choice);
  Record("choice [" + Escaped(request.caption) + "] " + Escaped(request.text) + " {" + choices + "}");
  choices_.push_back(request);
  if (choiceHandler_) return choiceHandler_(request);
  return request.choices.empty() ? 0 : request.choices.size() - 1;
}

void HeadlessWindow::Close() {
  Record("close");
  closed_ = true;
}

void HeadlessWindow::ShowProgress() { Record("progress"); }

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
