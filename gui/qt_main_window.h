#pragma once
// The main window on Qt Widgets, built from the control table under the menu bar's table. Button
// clicks, menu items, Enter (button 1 while enabled), Escape and the close box go through the
// command router; the About item also sits in the window's context menu and on Alt+A, as a
// window manager's system menu takes no item.

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <functional>
#include <map>
#include <memory>

#include "app/command_router.h"
#include "app/program_state.h"
#include "gui/template_dialog.h"
#include "menus/file_dialogs.h"
#include "window/window.h"

namespace userdb {

class QtMainWindow final : public QDialog, public Window {
 public:
  using BoxHandler = std::function<BoxAnswer(const MessageBoxRequest&)>;
  using ChoiceHandler = std::function<std::size_t(const ChoiceRequest&)>;

  explicit QtMainWindow(ProgramState& state);
  ~QtMainWindow() override;

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
  // Paints the StatusBox and whatever else changed, taking no input.
  void ShowProgress() override;

  // Where message boxes go; by default to real boxes.
  void SetBoxHandler(BoxHandler handler) { boxHandler_ = std::move(handler); }
  void SetChoiceHandler(ChoiceHandler handler) { choiceHandler_ = std::move(handler); }
  // Where the file commands' dialogs go; by default to real dialogs. The caller keeps it alive.
  void SetFileDialogs(menus::FileDialogs& dialogs) { fileDialogs_ = &dialogs; }

  // nullptr for an ID the window does not have.
  QWidget* Control(int controlId) const { return FindControl(controls_, controlId); }
  bool CommandRunning() const { return router_.Busy(); }
  QMenuBar& MenuBar() const { return *menuBar_; }
  // The area below the menu bar that the control table lays out.
  QWidget& ClientArea() const { return *clientArea_; }
  // The menu bar's action for a command of the menu table; nullptr for none.
  QAction* MenuAction(int command) const;

 protected:
  // The window's cancel command: Escape, the close box and Close in the window menu.
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QMenuBar* BuildMenuBar();
  void RouteButtons();
  void NameControls();
  void FillPortList();
  void AddAboutItem();
  void OpenAboutBox();
  void ChooseMenuItem(int command);

  ProgramState& state_;
  CommandRouter router_;
  std::map<int, QAction*> menuActions_;  // before the bar, which fills it
  QMenuBar* menuBar_;
  ControlMap controls_;
  QWidget* clientArea_;
  BoxHandler boxHandler_;
  ChoiceHandler choiceHandler_;
  std::unique_ptr<menus::FileDialogs> ownDialogs_;
  menus::FileDialogs* fileDialogs_;
  QAction* aboutAction_ = nullptr;
};

}  // namespace userdb
