#include "gui/message_box.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QStringDecoder>
#include <QVariant>

#include "gui/eight_bit_text.h"

namespace userdb {
namespace {

// Which choice a button of a choice box stands for, whatever order the style lays them out in.
constexpr const char* kChoiceIndex = "userdbChoice";

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

// UTF-8 where the text is UTF-8, so that the file commands' texts show a file's name as typed;
// else the program's 8-bit bytes.
QString BoxText(std::string_view text) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return utf8.hasError() ? FromEightBit(text) : decoded;
}

QString BoxLines(std::string_view text) { return BoxText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(owner);
  box->setWindowTitle(request.caption ? BoxText(*request.caption) : QCoreApplication::applicationName());
  box->setTextFormat(Qt::PlainText);
  box->setText(BoxLines(request.text));
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

std::unique_ptr<QMessageBox> MakeChoiceBox(const ChoiceRequest& request, QWidget& mainWindow) {
  auto box = std::make_unique<QMessageBox>(&mainWindow);
  box->setWindowTitle(BoxText(request.caption));
  box->setTextFormat(Qt::PlainText);
  box->setText(BoxLines(request.text));
  for (std::size_t index = 0; index < request.choices.size(); ++index) {
    QPushButton* button = box->addButton(BoxText(request.choices[index]), QMessageBox::AcceptRole);
    button->setProperty(kChoiceIndex, QVariant::fromValue(index));
    if (index == 0) box->setDefaultButton(button);
    box->setEscapeButton(button);
  }
  box->setWindowModality(Qt::WindowModal);
  return box;
}

std::size_t RunChoiceBox(const ChoiceRequest& request, QWidget& mainWindow) {
  const std::unique_ptr<QMessageBox> box = MakeChoiceBox(request, mainWindow);
  box->exec();
  const QAbstractButton* clicked = box->clickedButton();
  if (clicked == nullptr) return request.choices.empty() ? 0 : request.choices.size() - 1;
  return clicked->property(kChoiceIndex).value<std::size_t>();
}

}  // namespace userdb
