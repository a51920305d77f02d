// userdb-gui.exe: the program's one window on the COM ports of this machine.

#include <windows.h>

#include "device/program_state.h"
#include "platform/win32/win32_main_form.h"
#include "platform/win32/win32_serial_port.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  userdb::Win32SerialPort port;
  userdb::ProgramState state(port);
  userdb::Win32MainForm form(state, instance);
  form.Run();
  return 0;
}
