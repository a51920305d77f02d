// A user's whole road through the window against the simulated device: connect, load, edit,
// save, page, clear and write back; and the progress the window paints on the way.

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QtTest>
#include <algorithm>

#include "window_on_simulator.h"

namespace userdb {
namespace {

// Every StatusBox text that was painted while a command ran.
class PaintedStatus : public QObject {
 public:
  explicit PaintedStatus(WindowOnSimulator& run) : run_(run) {
    run.ControlAs<QPlainTextEdit>(ids::kStatusBox).viewport()->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && run_.window.CommandRunning()) texts.push_back(run_.TextOf(ids::kStatusBox));
    return QObject::eventFilter(watched, event);
  }

  bool Contains(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }

  std::vector<std::string> texts;

 private:
  WindowOnSimulator& run_;
};

}  // namespace

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  void connectLoadEditSavePageClearAndWriteBack() {
    WindowOnSimulator run;
    run.Press(ids::kOpenPort);
    QCOMPARE(run.TextOf(ids::kDatabaseVersionLabel), std::string("Database Version :DB20110318"));
    QCOMPARE(run.TextOf(ids::kHardwareVersionLabel), std::string("Hardware Version : 1.2"));

    run.Press(ids::kLoadDatabase);
    QCOMPARE(run.TextOf(ids::kPageLabel), std::string("Page 0"));
    QCOMPARE(run.TextOf(ids::SpeedField(1)), std::string("48"));

    run.Type(ids::SpeedField(1), "100");
    run.Type(ids::NoteField(1), "Speed trap, both ways");
    run.Press(ids::kSavePage);
    QCOMPARE(run.TextOf(ids::kStatusBox), std::string("Save Successful !"));

    run.Press(ids::kNextPage);
    QCOMPARE(run.TextOf(ids::kPageLabel), std::string("Page 1"));
    run.Press(ids::kPreviousPage);
    QCOMPARE(run.TextOf(ids::SpeedField(1)), std::string("98"));  // 100 km/h in the device's unit, shown back
    QCOMPARE(run.TextOf(ids::NoteField(1)), std::string("Speed trap, both ways"));

    // Clearing changes the window only: the stored row 2 goes to the device as it was.
    QTest::mouseClick(&run.ControlAs<QCheckBox>(ids::RowCheck(2)), Qt::LeftButton);
    run.Press(ids::kClearData);
    const sim::FlashImage before = run.device.Memory().image;

    run.Press(ids::kExitAndWrite);
    QCOMPARE(run.boxes.back().text, std::string("Update User Database successful"));
    QVERIFY(!run.window.isVisible());
    QCOMPARE(run.device.UploadsApplied(), 1);
    const auto note = run.device.Memory().Note(1);
    QCOMPARE(std::string(note.begin(), note.begin() + 21), std::string("Speed trap, both ways"));
    QCOMPARE(run.device.Memory().Point(1)[8], std::uint8_t{53});  // speed, low byte
    QVERIFY(std::equal(before.begin() + 2 * sim::kPointSize, before.begin() + sim::kPointsBytes,
                       run.device.Memory().image.begin() + 2 * sim::kPointSize));
  }

  void aNoteOfEightBitBytesReachesTheDeviceAgainByteExact() {
    WindowOnSimulator run;
    const auto note = run.device.Memory().Note(0);
    for (std::size_t i = 0; i < 127; ++i) note[i] = static_cast<std::uint8_t>(0x80 + i);  // 0x80 to 0xFE
    const sim::FlashImage sent = run.device.Memory().image;

    run.Load();
    QCOMPARE(run.Field(ids::NoteField(0)).text().front(), QChar(0x80));
    QCOMPARE(run.Field(ids::NoteField(0)).text().back(), QChar(0xFE));
    run.Press(ids::kSavePage);
    QCOMPARE(run.TextOf(ids::kStatusBox), std::string("Save Successful !"));
    run.Press(ids::kExitAndWrite);
    QCOMPARE(run.device.UploadsApplied(), 1);
    QVERIFY(run.device.Memory().image == sent);
  }

  void transfersPaintTheirProgressWhileTheyRun() {
    WindowOnSimulator run;
    PaintedStatus painted(run);
    run.Load();
    QVERIFY(painted.Contains("Load user database from device ...."));

    run.Press(ids::kExitAndWrite);
    QVERIFY(painted.Contains("Erase Falsh ..... wait please"));
    QVERIFY(painted.Contains("Update 2 page"));
    QVERIFY(painted.Contains("Update 575 page"));
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::SessionTest)
#include "session_test.moc"
