// The window as built from the control table: what a user sees at start, where every control
// sits, and how Enter, Escape and the close box reach the commands.

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>
#include <set>

#include "window/control_table.h"
#include "window_on_simulator.h"

namespace userdb {
namespace {

const std::set<int> kDisabledAtStart = {ids::kLoadDatabase, ids::kNextPage,  ids::kPreviousPage,
                                        ids::kSavePage,     ids::kClearData, ids::kExitAndWrite};

// The width the style leaves a caption inside its control.
int CaptionRoom(const QWidget& control) {
  if (const auto* label = qobject_cast<const QLabel*>(&control)) return label->contentsRect().width();
  QStyleOptionButton option;
  option.initFrom(&control);
  const bool checkBox = qobject_cast<const QCheckBox*>(&control) != nullptr;
  const auto element = checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
  return control.style()->subElementRect(element, &option, &control).width();
}

QString CaptionOf(const QWidget& control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  return qobject_cast<const QLabel*>(&control)->text();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("userdb-gui")); }

  void startsAsTheTemplateSays() {
    WindowOnSimulator run;
    QtMainWindow& window = run.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("BT GPS Vardenholmics - User Database Utility"));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
    const QString face = QFontInfo(window.font()).family();
    QVERIFY2(face == "Arial" || face == "Liberation Sans", qPrintable(face));

    QCOMPARE(run.TextOf(ids::kPageLabel), std::string("Please Load User Database"));
    QCOMPARE(run.ControlAs<QPlainTextEdit>(ids::kStatusBox).toPlainText(),
             QStringLiteral("Please choose com and \nopen com port"));
    QCOMPARE(run.TextOf(ids::kStatusBox), std::string("Please choose com and \r\nopen com port"));
    QCOMPARE(run.TextOf(ids::kExitAndWrite), std::string("EXIT and write to  Device"));
    QCOMPARE(run.TextOf(ids::RowCheck(7)), std::string(" NO.7"));
  }

  void portListHoldsComOneToTwoHundredFiftySixWithComTwoSelected() {
    WindowOnSimulator run;
    const auto& portList = run.ControlAs<QComboBox>(ids::kPortList);
    QCOMPARE(portList.count(), 256);
    QCOMPARE(portList.itemText(0), QStringLiteral("COM001"));
    QCOMPARE(portList.itemText(9), QStringLiteral("COM010"));
    QCOMPARE(portList.itemText(99), QStringLiteral("COM100"));
    QCOMPARE(portList.itemText(255), QStringLiteral("COM256"));
    QCOMPARE(portList.currentText(), QStringLiteral("COM002"));
    QCOMPARE(run.window.PortSelection(), 1);
    run.window.SelectPort(256);
    QCOMPARE(run.window.PortSelection(), -1);
  }

  void onlyTheStartControlsAreEnabled() {
    WindowOnSimulator run;
    for (const ControlEntry& entry : MainFormTemplate().controls) {
      if (entry.id == ids::kStatic || entry.kind == ControlKind::Static) continue;
      const bool enabled = run.window.Control(entry.id)->isEnabled();
      QVERIFY2(enabled == !kDisabledAtStart.contains(entry.id), qPrintable(QString::number(entry.id)));
    }
  }

  void everyControlFitsTheWindowAndNoInputsOverlap() {
    WindowOnSimulator run;
    const QRect client = run.window.ClientArea().rect();
    std::vector<QWidget*> inputs;
    for (QWidget* control : run.window.ClientArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(client.contains(control->geometry()), qPrintable(control->metaObject()->className()));
      if (!qobject_cast<QLabel*>(control)) inputs.push_back(control);
    }
    QCOMPARE(inputs.size(), std::size_t{131});  // the 148 controls less their 17 static texts
    for (std::size_t a = 0; a < inputs.size(); ++a) {
      for (std::size_t b = a + 1; b < inputs.size(); ++b)
        QVERIFY(!inputs[a]->geometry().intersects(inputs[b]->geometry()));
    }
  }

  void noCaptionIsCut() {
    WindowOnSimulator run;
    for (QWidget* control : run.window.ClientArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool captioned = qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control);
      if (!captioned) continue;
      const QString caption = CaptionOf(*control);
      QVERIFY2(control->fontMetrics().horizontalAdvance(caption) <= CaptionRoom(*control), qPrintable(caption));
    }
  }

  void enterRunsButtonOneOnlyWhileItIsEnabled() {
    WindowOnSimulator run;
    QTest::keyClick(&run.Field(ids::SpeedField(0)), Qt::Key_Return);
    QCOMPARE(run.port.OpenCount(), 0);

    run.Press(ids::kOpenPort);
    QTest::keyClick(&run.Field(ids::SpeedField(0)), Qt::Key_Return);
    QCOMPARE(run.TextOf(ids::kPageLabel), std::string("Page 0"));
    // The StatusBox leaves Enter to the window as well.
    QTest::keyClick(&run.ControlAs<QPlainTextEdit>(ids::kStatusBox), Qt::Key_Enter);
    QCOMPARE(run.port.OpenCount(), 3);
    QVERIFY(run.boxes.empty());
  }

  void escapeClosesWithoutAQuestionOrDeviceTraffic() {
    WindowOnSimulator run;
    run.Load();
    run.Type(ids::SpeedField(0), "77");
    const int opened = run.port.OpenCount();
    QTest::keyClick(&run.Field(ids::SpeedField(0)), Qt::Key_Escape);
    QVERIFY(!run.window.isVisible());
    QVERIFY(run.boxes.empty());
    QCOMPARE(run.port.OpenCount(), opened);
  }

  void closeBoxClosesWithoutAQuestion() {
    WindowOnSimulator run;
    QVERIFY(run.window.close());
    QVERIFY(!run.window.isVisible());
    QVERIFY(run.boxes.empty());
    QCOMPARE(run.port.OpenCount(), 0);
  }

  // A box without owner leaves the window usable; nothing the user does there starts a
  // second command or closes the window under the first.
  void whileABoxWithoutOwnerIsOpenNoOtherCommandStarts() {
    WindowOnSimulator run;
    run.window.SelectPort(0);  // COM001: nothing there, so the connect shows "Can not Open COM"
    bool ranInsideTheCommand = false;
    run.answer = [&run, &ranInsideTheCommand](const MessageBoxRequest& box) {
      ranInsideTheCommand = box.owner == BoxOwner::None && run.window.CommandRunning();
      run.window.SelectPort(1);
      run.Press(ids::kOpenPort);
      run.Press(ids::kAutoOpenPort);
      run.Press(ids::kExit);
      QTest::keyClick(&run.Field(ids::NoteField(0)), Qt::Key_Escape);
      run.window.close();
      return BoxAnswer::Ok;
    };
    run.Press(ids::kOpenPort);
    QVERIFY(ranInsideTheCommand);
    QCOMPARE(run.BoxTexts(), std::vector<std::string>{"Can not Open COM1"});
    QCOMPARE(run.port.OpenAttempts(), std::vector<int>{1});
    QVERIFY(run.window.isVisible());
    QVERIFY(!run.window.CommandRunning());

    run.Press(ids::kOpenPort);  // once the box is answered, the window takes commands again
    QCOMPARE(run.TextOf(ids::kSerialNumberLabel), std::string("Serial Number : 20110318"));
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::MainWindowTest)
#include "main_window_test.moc"
