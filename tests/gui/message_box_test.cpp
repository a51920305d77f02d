// The real message boxes: built as each request asks, and a box without owner answered while
// the main window stays usable. No modal box is ever shown here.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "gui/message_box.h"
#include "shown_box.h"
#include "window_on_simulator.h"

namespace userdb {

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("userdb-gui")); }

  void anOwnedOkBoxIsModalToTheWindow() {
    QWidget mainWindow;
    const auto box =
        MakeMessageBox({BoxOwner::MainWindow, "Please Load User Database", "Info", BoxKind::Ok}, &mainWindow);
    QCOMPARE(box->parentWidget(), &mainWindow);
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->windowTitle(), QStringLiteral("Info"));
    QCOMPARE(box->text(), QStringLiteral("Please Load User Database"));
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
  }

  void aYesNoBoxDefaultsToYes() {
    const auto box = MakeMessageBox({BoxOwner::None, "Want to save ? ", "Info", BoxKind::YesNo}, nullptr);
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
  }

  void aBoxWithoutCaptionShowsTheApplicationsName() {
    const auto box = MakeMessageBox({BoxOwner::None, "Checksum error", std::nullopt, BoxKind::Ok}, nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("userdb-gui"));
    QVERIFY(box->parentWidget() == nullptr);
    QCOMPARE(box->windowModality(), Qt::NonModal);
  }

  void textsAreEightBitWithCarriageReturnLineFeedBreaks() {
    const auto box = MakeMessageBox({BoxOwner::None, "90\xB0\r\nnext", "Info", BoxKind::Ok}, nullptr);
    QCOMPARE(box->text(), QString::fromLatin1("90\xB0\nnext"));
  }

  // A file command names the user's file in UTF-8; neither Latin-1 nor its nearest letters.
  void aFilesNameInUtf8ShowsAsTyped() {
    QWidget mainWindow;
    const auto box = MakeMessageBox(
        {BoxOwner::MainWindow, "Saved a backup to Łódź/相機.bin.\r\n", "Save backup", BoxKind::Ok}, &mainWindow);
    QCOMPARE(box->text(), QStringLiteral("Saved a backup to Łódź/相機.bin.\n"));
    const auto choice = MakeChoiceBox({"Read κάμερες.csv again?", "Import points", {"Yes", "No"}}, mainWindow);
    QCOMPARE(choice->text(), QStringLiteral("Read κάμερες.csv again?"));
  }

  void aBoxWithoutOwnerWaitsForItsAnswerWithTheWindowUsable() {
    QWidget mainWindow;
    mainWindow.show();
    bool windowUsable = false;
    QTimer::singleShot(0, [&] {
      QMessageBox* box = ShownBox();
      if (box == nullptr) return;
      windowUsable = QApplication::activeModalWidget() == nullptr && mainWindow.isEnabled();
      box->button(QMessageBox::No)->click();
    });
    const BoxAnswer answer = RunMessageBox({BoxOwner::None, "Question", "Info", BoxKind::YesNo}, mainWindow);
    QVERIFY(windowUsable);
    QCOMPARE(answer, BoxAnswer::No);
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::MessageBoxTest)
#include "message_box_test.moc"
