// userdb-gui: the program's window on the platform's serial ports.

#include <QApplication>

#include "app/program_state.h"
#include "gui/program_icon.h"
#include "gui/qt_main_window.h"
#include "platform/posix/posix_serial_port.h"
#include "storage/backup_store.h"
#include "storage/data_folder.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("userdb-gui"));
  QApplication::setWindowIcon(userdb::ProgramIcon());

  userdb::PosixSerialPort port;
  userdb::ProgramState state(port);
  userdb::storage::BackupStore backups(userdb::storage::BackupFolder());
  state.backups = &backups;
  userdb::QtMainWindow window(state);
  // Closing the window ends the program, whatever closed it.
  QObject::connect(&window, &QDialog::finished, &application, &QApplication::quit);
  window.show();
  return QApplication::exec();
}
