// The About box from its template, and the two ways to it: the context menu and Alt+A.

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include "gui/about_box.h"
#include "window/control_table.h"
#include "window_on_simulator.h"

namespace userdb {

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void holdsTheTemplatesIconTextAndButton() {
    AboutBox about(nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral("關於 Geopadra"));
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(qobject_cast<QLabel*>(about.Control(ids::kAboutIcon))->pixmap().size(), QSize(32, 32));
    QList<QString> texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts.push_back(label->text());
    QVERIFY(texts.contains(QStringLiteral("KT Geopadra version 2.5")));
    auto* ok = qobject_cast<QPushButton*>(about.Control(ids::kAboutOk));
    QCOMPARE(ok->text(), QStringLiteral("確定"));
    QVERIFY(ok->isDefault());
  }

  void itsButtonClosesIt() {
    AboutBox about(nullptr);
    about.show();
    qobject_cast<QPushButton*>(about.Control(ids::kAboutOk))->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int{QDialog::Accepted});
  }

  void altAOpensItOverTheWindow() {
    WindowOnSimulator run;
    QString opened;
    QTimer::singleShot(0, [&opened] {
      auto* about = dynamic_cast<AboutBox*>(QApplication::activeModalWidget());
      if (about == nullptr) return;
      opened = about->windowTitle();
      qobject_cast<QPushButton*>(about->Control(ids::kAboutOk))->click();
    });
    QTest::keyClick(&run.window, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(opened, QStringLiteral("關於 Geopadra"));
    QVERIFY(run.window.isVisible());
  }

  void theWindowsContextMenuOffersIt() {
    WindowOnSimulator run;
    QStringList items;
    QTimer::singleShot(0, [&items] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (const QAction* action : menu->actions()) items.push_back(action->text());
      menu->close();
    });
    const QPoint freeSpace(2, 2);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, freeSpace, run.window.mapToGlobal(freeSpace));
    QApplication::sendEvent(&run.window, &rightClick);
    QCOMPARE(items, QStringList{QString::fromUtf8(AboutMenuItemText().data())});
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::AboutBoxTest)
#include "about_box_test.moc"
