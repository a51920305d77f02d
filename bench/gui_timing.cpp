// gui_timing startup | page-switch: what the Qt window costs the program itself.
//   startup:      milliseconds from the moment in $USERDB_BENCH_SPAWNED_NS (the launcher's
//                 CLOCK_REALTIME, so that starting the process counts) to the window's first paint.
//   page-switch:  the median of 64 "Read next page" clicks on a full database, each until the
//                 window has painted again, in milliseconds.

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/qt_main_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/sample_memory.h"
#include "sim/virtual_clock.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace {

using namespace userdb;

// Stops the event loop at the first paint of the watched widget.
class FirstPaint final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted) {
      painted = true;
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }
  bool painted = false;
};

double MillisecondsSinceSpawn() {
  const char* spawned = std::getenv("USERDB_BENCH_SPAWNED_NS");
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const double nowNs = static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  return (nowNs - (spawned != nullptr ? std::atof(spawned) : nowNs)) / 1e6;
}

sim::DeviceMemory FullMemory() {
  sim::DeviceMemory memory = sim::SampleMemory();
  for (std::size_t k = 0; k < sim::kPointCount; ++k) {
    auto source = memory.Point(k % sim::SamplePointCount());
    std::copy(source.begin(), source.end(), memory.Point(k).begin());
  }
  return memory;
}

int PageSwitch() {
  sim::VirtualClock clock;
  sim::DeviceSimulator device(FullMemory());
  sim::InProcessPort port(clock);
  port.Attach(kInitialPortSelection + 1, device);
  ProgramState state(port);
  QtMainWindow window(state);
  window.show();
  auto* open = qobject_cast<QPushButton*>(window.Control(ids::kOpenPort));
  auto* load = qobject_cast<QPushButton*>(window.Control(ids::kLoadDatabase));
  auto* next = qobject_cast<QPushButton*>(window.Control(ids::kNextPage));
  open->click();
  load->click();
  QApplication::processEvents();
  std::vector<double> samples;
  for (int i = 0; i < 64; ++i) {
    QElapsedTimer timer;
    timer.start();
    next->click();
    window.repaint();  // the switch counts until the user can see the new page
    samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(samples.begin(), samples.end());
  std::printf("%.3f\n", samples[samples.size() / 2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc == 2 && std::strcmp(argv[1], "page-switch") == 0) return PageSwitch();
  if (argc != 2 || std::strcmp(argv[1], "startup") != 0) {
    std::fprintf(stderr, "usage: gui_timing startup|page-switch\n");
    return 2;
  }
  sim::VirtualClock clock;
  sim::InProcessPort port(clock);
  ProgramState state(port);
  QtMainWindow window(state);
  FirstPaint firstPaint;
  window.installEventFilter(&firstPaint);
  window.show();
  QApplication::exec();
  std::printf("%.1f\n", MillisecondsSinceSpawn());
  return 0;
}
