#include "gui/template_dialog.h"

#include "gui/dialog_font.h"
#include "gui/utf8_text.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

// A fixed frame with caption, system menu and close box; never a maximise box.
Qt::WindowFlags FrameOf(const DialogTemplate& form) {
  Qt::WindowFlags flags =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  flags |= form.showInTaskBar ? Qt::Window : Qt::Dialog;
  if (form.minimiseBox) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

}  // namespace

ControlMap BuildFromTemplate(QDialog& dialog, const DialogTemplate& form, TemplateTexts texts, QWidget* menuBar) {
  const QFont font = DialogFont(form);
  const DialogBaseUnits units = BaseUnitsOf(font);
  dialog.setFont(font);
  dialog.setWindowTitle(FromUtf8(form.caption));
  dialog.setWindowFlags(FrameOf(form));
  const QSize clientSize(HorizontalPixels(form.width, units), VerticalPixels(form.height, units));
  QWidget* client = &dialog;
  if (menuBar != nullptr) {
    const int barHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, clientSize.width(), barHeight);
    client = new QWidget(&dialog);
    client->setGeometry(QRect(QPoint(0, barHeight), clientSize));
    dialog.setFixedSize(clientSize.width(), clientSize.height() + barHeight);
  } else {
    dialog.setFixedSize(clientSize);
  }

  ControlMap controls;
  for (const ControlEntry& entry : form.controls) {
    QWidget* control = CreateControl(entry, *client, units, texts);
    if (entry.id != ids::kStatic) controls[entry.id] = control;
  }
  return controls;
}

QWidget* FindControl(const ControlMap& controls, int controlId) {
  const auto found = controls.find(controlId);
  return found == controls.end() ? nullptr : found->second;
}

}  // namespace userdb
