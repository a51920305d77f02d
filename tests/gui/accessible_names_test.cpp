// What a screen reader hears of the window's labels over AT-SPI: what a sighted user reads
// there as the window runs, the load prompt, the device's serial number and versions, the page
// and the speed unit, and not a fixed word in their place.

#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include "window_on_simulator.h"

namespace userdb {
namespace {

QString NameOf(QWidget* control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); }

// A listener hears `text` where a sighted user reads it, and every label as it reads.
void ExpectHeard(const WindowOnSimulator& run, const QString& text) {
  QStringList heard;
  for (QLabel* label : run.window.ClientArea().findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (!label->isVisible() || label->text().isEmpty()) continue;
    QCOMPARE(NameOf(label), label->text());
    heard.push_back(NameOf(label));
  }
  QVERIFY2(heard.contains(text), qPrintable(text + QStringLiteral(" is not among: ") + heard.join(" | ")));
}

}  // namespace

class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyLabelIsHeardAsItReadsBeforeAndAfterAConnectAndADownload() {
    WindowOnSimulator run;
    ExpectHeard(run, QStringLiteral("Please Load User Database"));
    ExpectHeard(run, QStringLiteral("kilometer"));
    ExpectHeard(run, QStringLiteral("Serial Number :"));

    run.Press(ids::kOpenPort);
    ExpectHeard(run, QStringLiteral("Serial Number : 20110318"));
    ExpectHeard(run, QStringLiteral("Database Version :DB20110318"));
    ExpectHeard(run, QStringLiteral("Hardware Version : 1.2"));
    ExpectHeard(run, QStringLiteral("Please Load User Database"));

    run.Press(ids::kLoadDatabase);
    ExpectHeard(run, QStringLiteral("Page 0"));
    ExpectHeard(run, QStringLiteral("kilometer"));
    ExpectHeard(run, QStringLiteral("Serial Number : 20110318"));
    QCOMPARE(NameOf(run.window.Control(ids::kPageLabel)), QStringLiteral("Page 0"));
    run.Press(ids::kNextPage);
    ExpectHeard(run, QStringLiteral("Page 1"));
    // The word alone does not say what it measures; that comes after it.
    QCOMPARE(QAccessible::queryAccessibleInterface(run.window.Control(ids::kUnitLabel))->text(QAccessible::Description),
             QStringLiteral("Speed unit"));
  }

  void theUnitOfADeviceInMilesIsHeardAsMile() {
    WindowOnSimulator run;
    run.device.Memory().unit = sim::kUnitMile;
    run.Load();
    QCOMPARE(run.TextOf(ids::kUnitLabel), std::string("mile"));
    QCOMPARE(NameOf(run.window.Control(ids::kUnitLabel)), QStringLiteral("mile"));
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::AccessibleNamesTest)
#include "accessible_names_test.moc"
