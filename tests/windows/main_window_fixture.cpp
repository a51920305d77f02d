#include "main_window_fixture.h"

#include <cstdlib>
#include <fstream>

#include "storage/data_folder.h"
#include "window/control_ids.h"

namespace userdb::test {
namespace {

// The data folder is named before anything reads it.
std::filesystem::path DataFolderOfTheTest() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("userdb-windows-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  _putenv_s("USERDB_DATA_DIR", folder.string().c_str());
  return folder;
}

}  // namespace

MainWindowFixture::MainWindowFixture(FileDialogsOfTheWindow fileDialogs)
    : folder(DataFolderOfTheTest()),
      port(clock),
      state(port),
      backups(storage::BackupFolder()),
      form(state, GetModuleHandleW(nullptr), fileDialogs == FileDialogsOfTheWindow::Scripted ? &dialogs : nullptr) {
  state.backups = &backups;
}

MainWindowFixture::~MainWindowFixture() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

INT_PTR MainWindowFixture::RunUser() {
  const INT_PTR result = user.Run(form);
  EXPECT_FALSE(user.Stuck()) << "the window did not close at the end of the script";
  EXPECT_TRUE(user.Finished()) << "the window did not run the whole script";
  return result;
}

void MainWindowFixture::ThenClose() {
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kExit); });
}

void MainWindowFixture::ThenLoadFromTheDevice() {
  port.Attach(7, device);
  user.Then([](HWND mainWindow) {
    SendDlgItemMessageA(mainWindow, ids::kPortList, CB_SETCURSEL, 6, 0);
    Click(mainWindow, ids::kOpenPort);
  });
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kLoadDatabase); });
  user.Then([](HWND mainWindow) { ASSERT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0"); });
}

std::filesystem::path MainWindowFixture::Write(const std::filesystem::path& name, const std::string& contents) const {
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

bool Enabled(HWND mainWindow, int controlId) { return IsWindowEnabled(GetDlgItem(mainWindow, controlId)) != FALSE; }

}  // namespace userdb::test
