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
  return box.standardButton(box.clickedButton()) == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(owner);
  box->setWindowTitle(request.caption ? FromEightBit(*request.caption) : QCoreApplication::applicationName());
  box->setTextFormat(Qt::PlainText);
  box->setText(FromEightBitLines(request.text));
  if (request.kind == BoxKind::YesNo) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
  }
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
