// Every button of the window runs its command, clicked as a user clicks it.

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

#include "window_on_simulator.h"

namespace userdb {

class RoutingTest : public QObject {
  Q_OBJECT

 private slots:
  void autoOpenComPortFindsTheDeviceAndConnects() {
    WindowOnSimulator run;
    run.window.SelectPort(9);
    run.Press(ids::kAutoOpenPort);
    QCOMPARE(run.BoxTexts(), std::vector<std::string>{"Auto scan to COM 2"});
    QCOMPARE(run.ControlAs<QComboBox>(ids::kPortList).currentText(), QStringLiteral("COM002"));
    QCOMPARE(run.TextOf(ids::kSerialNumberLabel), std::string("Serial Number : 20110318"));
  }

  void connectAndLoadMoveTheWindowOnToItsNextStages() {
    WindowOnSimulator run;
    run.Press(ids::kOpenPort);
    QVERIFY(!run.Button(ids::kOpenPort).isEnabled());
    QVERIFY(!run.Button(ids::kAutoOpenPort).isEnabled());
    QVERIFY(run.Button(ids::kLoadDatabase).isEnabled());
    run.Press(ids::kLoadDatabase);
    QCOMPARE(run.TextOf(ids::NoteField(0)), std::string("B14 Stuttgart tunnel exit"));
    for (int id : {ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kClearData, ids::kExitAndWrite}) {
      QVERIFY(run.Button(id).isEnabled());
    }
  }

  void pageCommandsAreOutOfReachBeforeALoad() {
    WindowOnSimulator run;
    for (int id : {ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kClearData, ids::kExitAndWrite}) {
      run.Press(id);
    }
    QVERIFY(run.boxes.empty());
    QVERIFY(run.window.isVisible());
  }

  void saveAsksThenChecksAndStores() {
    WindowOnSimulator run;
    run.Load();
    run.Type(ids::TypeField(0), "1");
    run.answer = [](const MessageBoxRequest&) { return BoxAnswer::No; };
    run.Press(ids::kSavePage);
    QCOMPARE(run.BoxTexts(), std::vector<std::string>{"Want to save this page to User Database ? "});
    QCOMPARE(run.state.database.Point(0).type, 0);

    run.answer = [](const MessageBoxRequest&) { return BoxAnswer::Yes; };
    run.Press(ids::kSavePage);
    QCOMPARE(run.TextOf(ids::kStatusBox), std::string("Save Successful !"));
    QCOMPARE(run.state.database.Point(0).type, 1);
  }

  void clearDataEmptiesTheTickedRows() {
    WindowOnSimulator run;
    run.Load();
    const UserPoint storedBefore = run.state.database.Point(2);
    QTest::mouseClick(&run.ControlAs<QCheckBox>(ids::RowCheck(2)), Qt::LeftButton);
    run.Press(ids::kClearData);
    for (int field = 0; field < kRowFieldCount; ++field) QCOMPARE(run.TextOf(ids::RowField(2, field)), std::string());
    QVERIFY(!run.ControlAs<QCheckBox>(ids::RowCheck(2)).isChecked());
    QCOMPARE(run.TextOf(ids::NoteField(1)), std::string("Alexanderplatz red light"));
    QVERIFY(run.state.database.Point(2) == storedBefore);  // the window only
  }

  void exitAndWriteAsksAndClosesWithoutWritingOnNo() {
    WindowOnSimulator run;
    run.Load();
    run.answer = [](const MessageBoxRequest&) { return BoxAnswer::No; };
    run.Press(ids::kExitAndWrite);
    QCOMPARE(run.BoxTexts(), std::vector<std::string>{"Want to write User Database to Device ? "});
    QVERIFY(run.boxes.front().kind == BoxKind::YesNo);
    QVERIFY(!run.window.isVisible());
    QCOMPARE(run.device.UploadsApplied(), 0);
  }

  void exitClosesWithoutAQuestion() {
    WindowOnSimulator run;
    run.Load();
    run.Press(ids::kExit);
    QVERIFY(!run.window.isVisible());
    QVERIFY(run.boxes.empty());
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::RoutingTest)
#include "routing_test.moc"
