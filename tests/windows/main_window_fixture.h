#pragma once
// The Win32 main window on the simulated device, driven by a scripted user, with file dialogs
// that the test scripts and a data folder of the test's own (USERDB_DATA_DIR).

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <filesystem>
#include <string>

#include "app/program_state.h"
#include "platform/win32/win32_main_form.h"
#include "scripted_user.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "storage/backup_store.h"
#include "tests/menus/file_menu_fixture.h"

namespace userdb::test {

// Which file dialogs the window's file commands open.
enum class FileDialogsOfTheWindow { Scripted, System };

class MainWindowFixture : public ::testing::Test {
 protected:
  explicit MainWindowFixture(FileDialogsOfTheWindow fileDialogs = FileDialogsOfTheWindow::Scripted);
  ~MainWindowFixture() override;

  // Runs the window to the end of the script, which must close it.
  INT_PTR RunUser();
  void ThenClose();
  // A download from the device on COM7, leaving page 0 shown.
  void ThenLoadFromTheDevice();

  std::filesystem::path Write(const std::filesystem::path& name, const std::string& contents) const;

  std::filesystem::path folder;
  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  ProgramState state;
  storage::BackupStore backups;
  menus::ScriptedDialogs dialogs;
  Win32MainForm form;
  ScriptedUser user;
};

inline const std::wstring kAboutCaption = L"\u95DC\u65BC Geopadra";

bool Enabled(HWND mainWindow, int controlId);

}  // namespace userdb::test
