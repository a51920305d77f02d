// userdb-gui-screenshot FILE.png: renders the window into FILE.png as a user sees it after
// "Open COM Port" and "Load user database from device" against the simulated device.

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "app/program_state.h"
#include "gui/qt_main_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace {

void Press(const userdb::QtMainWindow& window, int buttonId) {
  qobject_cast<QPushButton*>(window.Control(buttonId))->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: userdb-gui-screenshot FILE.png\n");
    return 2;
  }
  userdb::sim::VirtualClock clock;
  userdb::sim::DeviceSimulator device;
  userdb::sim::InProcessPort port(clock);
  port.Attach(userdb::kInitialPortSelection + 1, device);
  userdb::ProgramState state(port);
  userdb::QtMainWindow window(state);

  bool boxShown = false;
  window.SetBoxHandler([&boxShown](const userdb::MessageBoxRequest& box) {
    std::fprintf(stderr, "userdb-gui-screenshot: unexpected box \"%s\"\n", box.text.c_str());
    boxShown = true;
    return userdb::BoxAnswer::Ok;
  });
  window.show();
  Press(window, userdb::ids::kOpenPort);
  Press(window, userdb::ids::kLoadDatabase);
  QApplication::processEvents();
  if (boxShown) return 1;
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "userdb-gui-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
