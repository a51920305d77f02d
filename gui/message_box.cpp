#include "gui/message_box.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "gui/eight_bit_text.h"

namespace userdb {
namespace {

void RunUntilClosed(QMessageBox& box) {
  QEventLoop loop;
  QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
  box.show();
  loop.exec();
}

BoxAnswer AnswerOf(const QMessageBox& box, BoxKind kind) {
  if (kind == BoxKind::Ok) return BoxAnswer::Ok;
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
      return BoxAnswer::Yes;
    case QMessageBox::No:
      return BoxAnswer::No;
    default:
      // Escape or the close box: a three-way question's Cancel, a two-way one's No.
      return kind == BoxKind::YesNoCancel ? BoxAnswer::Cancel : BoxAnswer::No;
  }
}

QMessageBox::StandardButtons ButtonsOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case BoxKind::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(owner);
  box->setWindowTitle(request.caption ? FromEightBit(*request.caption) : QCoreApplication::applicationName());
  box->setTextFormat(Qt::PlainText);
  box->setText(FromEightBitLines(request.text));
  box->setStandardButtons(ButtonsOf(request.kind));
  box->setDefaultButton(request.kind == BoxKind::Ok ? QMessageBox::Ok : QMessageBox::Yes);
  box->setWindowModality(owner ? Qt::WindowModal : Qt::NonModal);
  return box;
}

BoxAnswer RunMessageBox(const MessageBoxRequest& request, QWidget& mainWindow) {
  const bool owned = request.owner == BoxOwner::MainWindow;
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(request, owned ? &mainWindow : nullptr);
  if (owned) {
    box->exec();
  } else {
    RunUntilClosed(*box);
  }
  return AnswerOf(*box, request.kind);
}

}  // namespace userdb
