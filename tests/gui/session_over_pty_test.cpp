// The window's whole road through the real POSIX serial backend, against userdb-sim on a
// pseudo-terminal, as the demo runs it.

#include <unistd.h>

#include <QPushButton>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "gui/qt_main_window.h"
#include "platform/posix/posix_serial_port.h"
#include "tests/support/child_process.h"
#include "window/control_ids.h"

namespace userdb {

class SessionOverPtyTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder_ = std::filesystem::temp_directory_path() / ("userdb-gui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    setenv("USERDB_PORTS_DIR", folder_.c_str(), 1);
    sim_ =
        std::make_unique<test::ChildProcess>(USERDB_SIM_BINARY, std::vector<std::string>{"--com", "2", "--print-path"});
    QVERIFY2(sim_->NextLine(test::milliseconds(5000)).has_value(), "userdb-sim did not start");
  }

  void cleanup() {
    sim_.reset();
    std::filesystem::remove_all(folder_);
  }

  void connectLoadEditSaveAndWriteBackThenReadItAgain() {
    RunWindow(
        [](QtMainWindow& window) {
          Press(window, ids::kOpenPort);
          QCOMPARE(window.Text(ids::kSerialNumberLabel, kWholeTextBuffer), std::string("Serial Number : 20110318"));
          Press(window, ids::kLoadDatabase);
          QCOMPARE(window.Text(ids::kPageLabel, kWholeTextBuffer), std::string("Page 0"));
          window.SetText(ids::NoteField(3), "Rebuilt \xE9t\xE9 2024");
          Press(window, ids::kSavePage);
          QCOMPARE(window.Text(ids::kStatusBox, kWholeTextBuffer), std::string("Save Successful !"));
          Press(window, ids::kExitAndWrite);
          QVERIFY(!window.isVisible());
        },
        "Update User Database successful");

    RunWindow(
        [](QtMainWindow& window) {
          Press(window, ids::kOpenPort);
          Press(window, ids::kLoadDatabase);
          QCOMPARE(window.Text(ids::NoteField(3), kWholeTextBuffer), std::string("Rebuilt \xE9t\xE9 2024"));
        },
        "");
  }

 private:
  static void Press(QtMainWindow& window, int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(window.Control(id)), Qt::LeftButton);
  }

  // One run of the program; lastBox is the text of the last box it shows, empty for none.
  template <typename Session>
  static void RunWindow(Session session, const std::string& lastBox) {
    PosixSerialPort port;
    ProgramState state(port);
    QtMainWindow window(state);
    std::vector<std::string> boxes;
    window.SetBoxHandler([&boxes](const MessageBoxRequest& box) {
      boxes.push_back(box.text);
      return box.kind == BoxKind::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    session(window);
    QCOMPARE(boxes.empty() ? std::string() : boxes.back(), lastBox);
  }

  std::filesystem::path folder_;
  std::unique_ptr<test::ChildProcess> sim_;
};

}  // namespace userdb

QTEST_MAIN(userdb::SessionOverPtyTest)
#include "session_over_pty_test.moc"
