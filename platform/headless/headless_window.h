#pragma once
// An in-memory main window: what tests and the command line drive. It behaves as the real
// controls do where the program can tell: reads are cut to the caller's buffer, upper-case
// fields capitalise what is typed, note fields keep case.

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "window/control_table.h"
#include "window/window.h"

namespace userdb {

class HeadlessWindow final : public Window {
 public:
  using BoxHandler = std::function<BoxAnswer(const MessageBoxRequest&)>;
  using ChoiceHandler = std::function<std::size_t(const ChoiceRequest&)>;

  explicit HeadlessWindow(const DialogTemplate& form = MainFormTemplate());

  std::string Text(int controlId, std::size_t bufferSize) const override;
  void SetText(int controlId, std::string_view text) override;
  bool IsRowChecked(int row) const override;
  void SetRowChecked(int row, bool checked) override;
  void Enable(int controlId, bool enabled) override;
  int PortSelection() const override;
  void SelectPort(int index) override;
  BoxAnswer ShowMessage(const MessageBoxRequest& box) override;
  std::size_t Choose(const ChoiceRequest& request) override;
  void Close() override;
  void ShowProgress() override;

  // What a user sees and does.
  std::string TextOf(int controlId) const;
  void Type(int controlId, std::string_view typed);  // replaces the field's text as typed
  bool IsEnabled(int controlId) const;
  bool IsClosed() const { return closed_; }
  const std::vector<std::string>& PortEntries() const { return portEntries_; }

  // Every box shown, in order. Answers come from the handler; without one, OK boxes answer
  // Ok and Yes/No boxes their default, Yes.
  const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
  void SetBoxHandler(BoxHandler handler) { boxHandler_ = std::move(handler); }
  // Every choice offered, in order; without a handler the last is taken, as Escape would.
  const std::vector<ChoiceRequest>& Choices() const { return choices_; }
  void SetChoiceHandler(ChoiceHandler handler) { choiceHandler_ = std::move(handler); }

  // Every operation the program asks of any headless window, one line each, goes here while
  // set: a transcript to hold a refactoring against. Null stops it.
  static void SetTranscript(std::ostream* transcript);

 private:
  struct ControlState {
    std::string text;
    bool enabled = true;
    bool checked = false;
    bool upperCase = false;
  };

  ControlState& Control(int controlId);
  const ControlState& Control(int controlId) const;
  void Record(const std::string& operation) const;

  std::map<int, ControlState> controls_;
  std::vector<std::string> portEntries_;
  int portSelection_ = -1;
  std::vector<MessageBoxRequest> boxes_;
  BoxHandler boxHandler_;
  std::vector<ChoiceRequest> choices_;
  ChoiceHandler choiceHandler_;
  bool closed_ = false;
};

}  // namespace userdb
