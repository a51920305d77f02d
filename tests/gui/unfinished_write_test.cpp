// A write that breaks off, seen from the Qt window: the device is left empty, and the next load
// offers, in a real choice box, to write the list again or restore the backup from before.

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "gui/message_box.h"
#include "shown_box.h"
#include "storage/user_files.h"
#include "window_on_simulator.h"

namespace userdb {
namespace {

// Clicks the button so labelled in the next box that shows; what the box offered comes back.
void ClickWhenShown(const QString& label, QStringList& offered) {
  QTimer::singleShot(0, [label, &offered] {
    QMessageBox* box = ShownBox();
    if (box == nullptr) return;
    for (QAbstractButton* button : box->buttons()) offered.push_back(button->text());
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == label) QTest::mouseClick(button, Qt::LeftButton);
    }
  });
}

std::vector<std::uint8_t> DeviceBytes(const WindowOnSimulator& run) {
  return {run.device.Memory().image.begin(), run.device.Memory().image.end()};
}

class TornWrite {
 public:
  TornWrite() {
    files_ = std::make_unique<storage::UserFiles>(std::filesystem::path(data_.path().toStdString()));
    files_->ServeTo(run.state);
    run.Load();
    original = DeviceBytes(run);
    run.Type(ids::NoteField(0), QStringLiteral("new list"));
    run.Press(ids::kSavePage);
    run.device.Faults().tornWriteAfter = 20000;
    run.Press(ids::kExitAndWrite);
    run.device.Faults().tornWriteAfter.reset();
    const TransferImage edited = run.state.database.Image();
    newList.assign(edited.begin(), edited.end());
  }

  const storage::UserFiles& Files() const { return *files_; }

  WindowOnSimulator run;
  std::vector<std::uint8_t> original;
  std::vector<std::uint8_t> newList;

 private:
  QTemporaryDir data_;
  std::unique_ptr<storage::UserFiles> files_;
};

}  // namespace

class UnfinishedWriteTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("userdb-gui")); }

  void theChoiceBoxSaysItsAnswersAndEscapeIsTheLast() {
    QWidget mainWindow;
    const auto box =
        MakeChoiceBox({"What now?", "Unfinished write", {"Write again", "Restore", "Not now"}}, mainWindow);
    QCOMPARE(box->windowTitle(), QStringLiteral("Unfinished write"));
    QCOMPARE(box->buttons().size(), 3);
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("Write again"));
    QCOMPARE(box->escapeButton()->text(), QStringLiteral("Not now"));
    QCOMPARE(box->windowModality(), Qt::WindowModal);
  }

  void aTornWriteLeavesAnEmptyDeviceAndTheNextLoadWritesTheListAgain() {
    TornWrite torn;
    QVERIFY(std::all_of(torn.run.device.Memory().image.begin(), torn.run.device.Memory().image.end(),
                        [](std::uint8_t byte) { return byte == 0xFF; }));
    QVERIFY(!torn.run.window.isHidden());
    QVERIFY(torn.Files().journal.Pending().has_value());
    const std::vector<BackupEntry> listed = torn.Files().backups.List();
    QVERIFY(std::any_of(listed.begin(), listed.end(), [](const BackupEntry& entry) { return entry.beforeWrite; }));

    QStringList offered;
    ClickWhenShown(QStringLiteral("Write again"), offered);
    torn.run.Press(ids::kLoadDatabase);
    QCOMPARE(offered, (QStringList{"Write again", "Restore the backup from before", "Not now"}));
    QVERIFY(DeviceBytes(torn.run) == torn.newList);
    QVERIFY(!torn.Files().journal.Pending().has_value());
    QCOMPARE(torn.run.TextOf(ids::kStatusBox), std::string("Update User Database successful"));
  }

  void orRestoresTheBackupFromBeforeByteForByte() {
    TornWrite torn;
    QStringList offered;
    ClickWhenShown(QStringLiteral("Restore the backup from before"), offered);
    torn.run.Press(ids::kLoadDatabase);
    QCOMPARE(offered.size(), 3);
    QVERIFY(DeviceBytes(torn.run) == torn.original);
    QVERIFY(!torn.Files().journal.Pending().has_value());
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::UnfinishedWriteTest)
#include "unfinished_write_test.moc"
