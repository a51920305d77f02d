// userdb-gui.exe: the program's one window on the COM ports of this machine.

#include <windows.h>

#include "app/program_state.h"
#include "platform/win32/win32_main_form.h"
#include "platform/win32/win32_serial_port.h"
#include "storage/user_files.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  userdb::Win32SerialPort port;
  userdb::ProgramState state(port);
  userdb::storage::UserFiles files;
  files.ServeTo(state);
  userdb::Win32MainForm form(state, instance);
  form.Run();
  return 0;
}
