#include "gui/qt_main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "app/main_form.h"
#include "gui/about_box.h"
#include "gui/control_text.h"
#include "gui/eight_bit_text.h"
#include "gui/message_box.h"
#include "gui/program_icon.h"
#include "window/control_ids.h"

namespace userdb {

QtMainWindow::QtMainWindow(ProgramState& state)
    : router_(state, *this),
      controls_(BuildFromTemplate(*this, MainFormTemplate(), TemplateTexts::EightBit)),
      boxHandler_([this](const MessageBoxRequest& box) { return RunMessageBox(box, *this); }) {
  setWindowIcon(ProgramIcon());
  RouteButtons();
  FillPortList();
  AddAboutItem();
  InitialiseMainForm(state, *this);
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
  aboutAction_ = new QAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), this);
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
