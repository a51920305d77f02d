#pragma once
// A shown main window on the offscreen platform, wired to a simulated device on COM2 over a
// virtual clock. Message boxes never open: each is recorded and answered by `answer`.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "gui/qt_main_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "storage/backup_store.h"
#include "window/control_ids.h"

namespace userdb {

class WindowOnSimulator {
 public:
  static constexpr int kDevicePort = 2;  // COM002, selected at start

  explicit WindowOnSimulator(storage::BackupStore* backups = nullptr) : port(clock), state(port), window(state) {
    port.Attach(kDevicePort, device);
    state.backups = backups;
    window.SetBoxHandler([this](const MessageBoxRequest& box) {
      boxes.push_back(box);
      return answer(box);
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("the window was never exposed");
  }

  template <typename Widget>
  Widget& ControlAs(int id) const {
    auto* widget = qobject_cast<Widget*>(window.Control(id));
    if (widget == nullptr) qFatal("control %d is missing or of another kind", id);
    return *widget;
  }
  QPushButton& Button(int id) const { return ControlAs<QPushButton>(id); }
  QLineEdit& Field(int id) const { return ControlAs<QLineEdit>(id); }

  void Press(int id) const { QTest::mouseClick(&Button(id), Qt::LeftButton); }
  // Replaces the field's text key by key; unlike QTest::keyClicks, also beyond ASCII.
  void Type(int fieldId, const QString& typed) const {
    Field(fieldId).clear();
    TypeAtCursor(Field(fieldId), typed);
  }
  static void TypeAtCursor(QWidget& field, const QString& typed) {
    for (QChar character : typed) {
      const auto key = static_cast<Qt::Key>(character.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, &field, key, QString(character), Qt::NoModifier);
    }
  }
  std::string TextOf(int id) const { return window.Text(id, kWholeTextBuffer); }

  // Connects and downloads, as a user does first.
  void Load() const {
    Press(ids::kOpenPort);
    Press(ids::kLoadDatabase);
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes) texts.push_back(box.text);
    return texts;
  }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  ProgramState state;
  QtMainWindow window;
  std::vector<MessageBoxRequest> boxes;
  // By default OK boxes answer Ok and questions their default, Yes.
  std::function<BoxAnswer(const MessageBoxRequest&)> answer = [](const MessageBoxRequest& box) {
    return box.kind == BoxKind::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
  };
};

}  // namespace userdb
