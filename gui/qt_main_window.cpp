#include "gui/qt_main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "app/main_form.h"
#include "gui/about_box.h"
#include "gui/control_text.h"
#include "gui/eight_bit_text.h"
#include "gui/message_box.h"
#include "gui/program_icon.h"
#include "gui/qt_file_dialogs.h"
#include "gui/utf8_text.h"
#include "menus/file_menu.h"
#include "window/accessible_names.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb {

namespace {}  // namespace

QtMainWindow::QtMainWindow(ProgramState& state)
    : state_(state),
      router_(state, *this),
      menuBar_(BuildMenuBar()),
      controls_(BuildFromTemplate(*this, MainFormTemplate(), TemplateTexts::EightBit, menuBar_)),
      clientArea_(Control(ids::kPortList)->parentWidget()),
      boxHandler_([this](const MessageBoxRequest& box) { return RunMessageBox(box, *this); }),
      choiceHandler_([this](const ChoiceRequest& request) { return RunChoiceBox(request, *this); }),
      ownDialogs_(std::make_unique<QtFileDialogs>(*this)),
      fileDialogs_(ownDialogs_.get()) {
  setWindowIcon(ProgramIcon());
  RouteButtons();
  NameControls();
  FillPortList();
  AddAboutItem();
  InitialiseMainForm(state, *this);
}

QtMainWindow::~QtMainWindow() = default;

QMenuBar* QtMainWindow::BuildMenuBar() {
  auto* bar = new QMenuBar(this);
  bar->setNativeMenuBar(false);  // in the window, where its height is counted
  for (const Menu& each : userdb::MenuBar()) {
    QMenu* menu = bar->addMenu(FromUtf8(each.title));
    for (const MenuItem& item : each.items) {
      QAction* action = menu->addAction(FromUtf8(item.text));
      action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut.Text())));
      const int command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { ChooseMenuItem(command); });
      menuActions_[command] = action;
    }
  }
  return bar;
}

QAction* QtMainWindow::MenuAction(int command) const {
  const auto found = menuActions_.find(command);
  return found == menuActions_.end() ? nullptr : found->second;
}

void QtMainWindow::ChooseMenuItem(int command) {
  menus::FileContext context{state_, *this, *fileDialogs_};
  if (!menus::ChooseMenuItem(command, router_, context) && command == menu::kAbout) OpenAboutBox();
}

// Column titles stand above the first row only, so each field carries its own as a description.
void QtMainWindow::NameControls() {
  for (const auto& [id, control] : controls_) {
    if (const std::optional<std::string> name = AccessibleName(id)) control->setAccessibleName(FromUtf8(*name));
    if (const std::optional<std::string> column = AccessibleDescription(id)) {
      control->setAccessibleDescription(FromUtf8(*column));
    }
  }
  // Over AT-SPI a combo box's name is its value; a listener hears what it is from its label.
  QWidget* portList = Control(ids::kPortList);
  auto* label = new QLabel(portList->accessibleName(), clientArea_);
  label->setBuddy(portList);
  label->setGeometry(QRect(portList->pos(), label->sizeHint()));
  label->hide();
}

void QtMainWindow::RouteButtons() {
  for (const auto& [id, control] : controls_) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      connect(button, &QPushButton::clicked, this, [this, id = id] { router_.Click(id); });
    }
  }
}

void QtMainWindow::FillPortList() {
  auto* portList = qobject_cast<QComboBox*>(Control(ids::kPortList));
  for (const std::string& entry : PortListEntries()) portList->addItem(FromEightBit(entry));
  if (MainFormTemplate().Find(ids::kPortList)->Has(style::kSorted)) portList->model()->sort(0);
}

void QtMainWindow::AddAboutItem() {
  const std::string_view text = AboutMenuItemText();
  aboutAction_ = new QAction(FromUtf8(text), this);
  aboutAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
  connect(aboutAction_, &QAction::triggered, this, &QtMainWindow::OpenAboutBox);
  addAction(aboutAction_);
}

void QtMainWindow::OpenAboutBox() {
  AboutBox about(this);
  about.exec();
}

std::string QtMainWindow::Text(int controlId, std::size_t bufferSize) const {
  const QWidget* control = Control(controlId);
  if (control == nullptr || bufferSize == 0) return {};
  std::string text = ControlText(*control);
  text.resize(std::min(text.size(), bufferSize - 1));
  return text;
}

void QtMainWindow::SetText(int controlId, std::string_view text) {
  if (QWidget* control = Control(controlId)) SetControlText(*control, text);
}

bool QtMainWindow::IsRowChecked(int row) const {
  const auto* check = qobject_cast<const QCheckBox*>(Control(ids::RowCheck(row)));
  return check != nullptr && check->isChecked();
}

void QtMainWindow::SetRowChecked(int row, bool checked) {
  if (auto* check = qobject_cast<QCheckBox*>(Control(ids::RowCheck(row)))) check->setChecked(checked);
}

void QtMainWindow::Enable(int controlId, bool enabled) {
  if (QWidget* control = Control(controlId)) control->setEnabled(enabled);
}

int QtMainWindow::PortSelection() const {
  return qobject_cast<const QComboBox*>(Control(ids::kPortList))->currentIndex();
}

void QtMainWindow::SelectPort(int index) {
  auto* portList = qobject_cast<QComboBox*>(Control(ids::kPortList));
  portList->setCurrentIndex(index >= 0 && index < portList->count() ? index : -1);
}

BoxAnswer QtMainWindow::ShowMessage(const MessageBoxRequest& box) { return boxHandler_(box); }

std::size_t QtMainWindow::Choose(const ChoiceRequest& request) { return choiceHandler_(request); }

void QtMainWindow::Close() { done(QDialog::Rejected); }

// Painting at once, instead of from the event loop, keeps queued clicks and keys queued.
void QtMainWindow::ShowProgress() {
  if (QWidget* statusBox = Control(ids::kStatusBox)) statusBox->repaint();
}

void QtMainWindow::reject() { router_.CancelCommand(); }

void QtMainWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(aboutAction_);
  menu.exec(event->globalPos());
}

}  // namespace userdb
