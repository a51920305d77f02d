// userdb-gui: the program's window on the platform's serial ports.

#include <QApplication>

#include <cstring>
#include <iostream>

#include "app/program_state.h"
#include "gui/program_icon.h"
#include "gui/qt_main_window.h"
#include "platform/posix/ports_folder.h"
#include "platform/posix/posix_serial_port.h"
#include "storage/user_files.h"

namespace {

constexpr const char* kUsageStart =
    "Usage: userdb-gui [QT-OPTION]...\n"
    "Opens the window that keeps the user database of a GPS speed-camera warning device on a\n"
    "serial port: choose the port and press \"Open COM Port\" (or \"Auto Open COM Port\"), then\n"
    "\"Load user database from device\"; edit the points eight rows to a page, \"Save this page\",\n"
    "and finally \"EXIT and write to  Device\". Nothing reaches the device before that last step.\n"
    "\n";
constexpr const char* kUsageEnd =
    "Every download keeps a copy of the device in the backups folder of the data folder\n"
    "($USERDB_DATA_DIR, else $XDG_DATA_HOME/userdb or ~/.local/share/userdb).\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n";

// Answered before Qt starts, so that they need no display.
bool AnsweredAtOnce(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsageStart << userdb::posix::PortNamingHelp() << kUsageEnd;
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "userdb-gui " << USERDB_VERSION << '\n';
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredAtOnce(argc, argv)) return 0;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("userdb-gui"));
  QApplication::setWindowIcon(userdb::ProgramIcon());

  userdb::PosixSerialPort port;
  userdb::ProgramState state(port);
  userdb::storage::UserFiles files;
  files.ServeTo(state);
  userdb::QtMainWindow window(state);
  // Closing the window ends the program, whatever closed it.
  QObject::connect(&window, &QDialog::finished, &application, &QApplication::quit);
  window.show();
  return QApplication::exec();
}
