#pragma once
// The main window on Qt Widgets, built from the control table. Button clicks, Enter (button 1
// while enabled), Escape and the close box go through the command router; the About item sits
// in the window's context menu and on Alt+A, as a window manager's system menu takes no item.

#include <QAction>
#include <QDialog>
#include <functional>

#include "app/command_router.h"
#include "app/program_state.h"
#include "gui/template_dialog.h"
#include "window/window.h"

namespace userdb {

class QtMainWindow final : public QDialog, public Window {
 public:
  using BoxHandler = std::function<BoxAnswer(const MessageBoxRequest&)>;

  explicit QtMainWindow(ProgramState& state);

  std::string Text(int controlId, std::size_t bufferSize) const override;
  void SetText(int controlId, std::string_view text) override;
  bool IsRowChecked(int row) const override;
  void SetRowChecked(int row, bool checked) override;
  void Enable(int controlId, bool enabled) override;
  int PortSelection() const override;
  void SelectPort(int index) override;
  BoxAnswer ShowMessage(const MessageBoxRequest& box) override;
  void Close() override;
  // Paints the StatusBox and whatever else changed, taking no input.
  void ShowProgress() override;

  // Where message boxes go; by default to real boxes.
  void SetBoxHandler(BoxHandler handler) { boxHandler_ = std::move(handler); }

  // nullptr for an ID the window does not have.
  QWidget* Control(int controlId) const { return FindControl(controls_, controlId); }
  bool CommandRunning() const { return router_.Busy(); }

 protected:
  // The window's cancel command: Escape, the close box and Close in the window menu.
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RouteButtons();
  void FillPortList();
  void AddAboutItem();
  void OpenAboutBox();

  CommandRouter router_;
  ControlMap controls_;
  BoxHandler boxHandler_;
  QAction* aboutAction_ = nullptr;
};

}  // namespace userdb
