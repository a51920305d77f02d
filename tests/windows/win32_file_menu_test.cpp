// The File menu's items chosen in the Win32 main window: what reaches the window and the
// database through the router, with file dialogs that answer as the test says.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/points_file.h"
#include "main_window_fixture.h"
#include "menus/file_kinds.h"
#include "sim/device_memory.h"
#include "storage/backup_name.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb::test {
namespace {

using menus::FileChoice;

constexpr std::array kLoadedCommands{ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage,
                                     ids::kExitAndWrite};

// n cameras going north from firstLatitude, 9.0 east, about 1.1 km apart.
std::string CameraList(int n, double firstLatitude) {
  std::string text = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  for (int i = 0; i < n; ++i) text += "9.0000000," + std::to_string(firstLatitude + 0.01 * i) + ",0,50,0,0\n";
  return text;
}

std::size_t KindToSave(formats::FileFormat format) {
  const std::vector<menus::FileKind> kinds = menus::KindsToSave();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (kinds[i].format == format) return i;
  }
  ADD_FAILURE() << "no kind saves format " << static_cast<int>(format);
  return 0;
}

class Win32FileMenuTest : public MainWindowFixture {
 protected:
  void ThenImport(const std::string& name, const std::string& list) {
    dialogs.opens.push_back(FileChoice{Write(name, list), 0});
    user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kImportPoints); });
  }
};

TEST_F(Win32FileMenuTest, AnImportShowsTheListOnPageZeroAndEnablesTheCommandsOfALoadedDatabase) {
  ThenImport("cameras.txt", CameraList(3, 48.0));
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0");
    for (int id : kLoadedCommands) EXPECT_TRUE(Enabled(mainWindow, id)) << id;
    EXPECT_EQ(ControlText(mainWindow, ids::LatitudeField(2, ids::CoordinatePart::Degrees)), "48");
    EXPECT_EQ(ControlText(mainWindow, ids::LongitudeField(2, ids::CoordinatePart::Degrees)), "9");
    EXPECT_EQ(ControlText(mainWindow, ids::LatitudeField(3, ids::CoordinatePart::Degrees)), "");
    EXPECT_EQ(ControlText(mainWindow, ids::kStatusBox).rfind("Imported cameras.txt:\r\nMerged: 0 kept, 3 added", 0),
              0u);
  });
  ThenClose();
  RunUser();
  EXPECT_EQ(dialogs.titles, std::vector<std::string>{"Import points"});
  ASSERT_EQ(dialogs.previews.size(), 1u);
  EXPECT_TRUE(dialogs.previews[0].canImport);
  EXPECT_EQ(formats::PointCount(state.database), 3u);
  EXPECT_TRUE(user.Dialogs().empty());
}

TEST_F(Win32FileMenuTest, CancelInThePreviewLeavesTheWindowAndTheDatabaseAsTheyWere) {
  const TransferImage before = state.database.Image();
  dialogs.cancelImport = true;
  ThenImport("cameras.txt", CameraList(3, 48.0));
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Please Load User Database");
    for (int id : kLoadedCommands) EXPECT_FALSE(Enabled(mainWindow, id)) << id;
    EXPECT_EQ(ControlText(mainWindow, ids::LatitudeField(0, ids::CoordinatePart::Degrees)), "");
  });
  ThenClose();
  RunUser();
  EXPECT_EQ(dialogs.previews.size(), 1u) << "the preview was shown";
  EXPECT_EQ(state.database.Image(), before);
  EXPECT_TRUE(user.Dialogs().empty());
}

// Imported again, the exported file's points are the database's own: every one a duplicate.
TEST_F(Win32FileMenuTest, AnExportedFileImportsBackAsTheSamePoints) {
  const std::filesystem::path exported = folder / "exported.csv";
  ThenImport("cameras.txt", CameraList(3, 48.0));
  dialogs.saves.push_back(FileChoice{exported, KindToSave(formats::FileFormat::Csv)});
  user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kExportPoints); });
  user.Then([this, exported](HWND mainWindow) {
    ASSERT_TRUE(std::filesystem::exists(exported));
    dialogs.opens.push_back(FileChoice{exported, 0});
    ChooseMenu(mainWindow, menu::kImportPoints);
  });
  ThenClose();
  RunUser();
  ASSERT_EQ(user.Dialogs().size(), 1u);
  EXPECT_EQ(user.Dialogs()[0].caption, L"Export points");
  EXPECT_EQ(user.Dialogs()[0].text, L"Exported 3 points to " + exported.wstring() + L".");
  ASSERT_EQ(dialogs.previews.size(), 2u);
  EXPECT_EQ(dialogs.previews[1].summary.rfind("Merged: 3 kept, 0 added, 3 duplicates", 0), 0u)
      << dialogs.previews[1].summary;
  EXPECT_EQ(formats::PointCount(state.database), 3u);
}

// A camera list as a map program writes it: waypoints with a name and the speed in the name.
TEST_F(Win32FileMenuTest, AGpxListImportsThroughItsPreviewAndThePointsExportAsKml) {
  const std::filesystem::path exported = folder / "cameras.kml";
  ThenImport("cameras.gpx",
             "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"a map\">\n"
             "<wpt lat=\"48.1000\" lon=\"11.5000\"><name>Ring @60</name></wpt>\n"
             "<wpt lat=\"48.2000\" lon=\"11.6000\"><name>Bridge</name></wpt>\n</gpx>\n");
  dialogs.saves.push_back(FileChoice{exported, KindToSave(formats::FileFormat::Kml)});
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(ControlText(mainWindow, ids::LatitudeField(1, ids::CoordinatePart::Degrees)), "48");
    EXPECT_EQ(ControlText(mainWindow, ids::LongitudeField(1, ids::CoordinatePart::Degrees)), "11");
    ChooseMenu(mainWindow, menu::kExportPoints);
  });
  ThenClose();
  RunUser();
  ASSERT_EQ(dialogs.previews.size(), 1u);
  EXPECT_TRUE(dialogs.previews[0].canImport);
  EXPECT_EQ(dialogs.previews[0].summary.rfind("Merged: 0 kept, 2 added", 0), 0u) << dialogs.previews[0].summary;
  EXPECT_EQ(formats::PointCount(state.database), 2u);
  std::ifstream file(exported);
  const std::string kml{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_NE(kml.find("<kml"), std::string::npos);
  EXPECT_NE(kml.find("Ring"), std::string::npos) << kml;
  EXPECT_NE(kml.find("11.6"), std::string::npos) << kml;
}

TEST_F(Win32FileMenuTest, ABackupSavedInTheDataFolderRestoresTheDatabaseItHeld) {
  const std::filesystem::path backupFolder = folder / "backups";
  const std::filesystem::path backup = backupFolder / storage::NameFor(1767225600, std::nullopt).FileName();
  ThenImport("three.txt", CameraList(3, 48.0));
  dialogs.saves.push_back(FileChoice{backup, 0});
  user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kSaveBackup); });
  ThenImport("two more.txt", CameraList(2, 50.0));
  user.Then([this](HWND mainWindow) {
    EXPECT_EQ(formats::PointCount(state.database), 5u);
    ChooseMenu(mainWindow, menu::kRestoreBackup);
  });
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0");
    EXPECT_EQ(ControlText(mainWindow, ids::LatitudeField(3, ids::CoordinatePart::Degrees)), "")
        << "the fourth point came after the backup";
    EXPECT_NE(ControlText(mainWindow, ids::kStatusBox).find(": 3 points."), std::string::npos);
  });
  ThenClose();
  RunUser();

  ASSERT_EQ(dialogs.proposals.size(), 1u);
  EXPECT_EQ(dialogs.proposals[0].parent_path(), backupFolder) << "USERDB_DATA_DIR names the backups' folder";
  ASSERT_EQ(user.Dialogs().size(), 1u);
  EXPECT_EQ(user.Dialogs()[0].text, L"Saved a backup to " + backup.wstring() + L".");
  ASSERT_EQ(dialogs.listed.size(), 1u);
  EXPECT_EQ(dialogs.listed[0].file, backup);
  EXPECT_EQ(dialogs.listed[0].points, 3u);
  EXPECT_EQ(formats::PointCount(state.database), 3u);
}

// The whole of it from the window only: load, import a large list near home, look, write, and
// in a later session go back to what the device held before.
TEST_F(Win32FileMenuTest, ADriverImportsALargeListWritesItAndLaterRestoresTheBackup) {
  std::string list = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  for (int i = 0; i < 5000; ++i) {
    list += std::to_string(9.0 + 0.01 * (i % 100)) + "," + std::to_string(47.0 + 0.01 * (i / 100)) + ",0,80,0,0\n";
  }
  dialogs.tried = {menus::ImportSettings{"47.25,9.5", "30", formats::CapacityFit::Nearest, ""}};
  ThenLoadFromTheDevice();
  TransferImage before{};
  user.Then([&](HWND) { before = state.database.Image(); });
  ThenImport("europe.txt", list);
  user.Then([this](HWND mainWindow) {
    EXPECT_EQ(formats::PointCount(state.database), 256u);
    Click(mainWindow, ids::kNextPage);
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 1");
    // The device's points keep their records; the list's nearest fill the rest.
    EXPECT_EQ(state.database.Point(255).latitude / 600000, 47u);
  });
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kExitAndWrite); });  // closes once written
  RunUser();
  EXPECT_EQ(device.UploadsApplied(), 1);
  const TransferImage written = state.database.Image();
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + sim::kPointsBytes, device.Memory().image.begin()));
  ASSERT_EQ(backups.List().size(), 1u);  // the download's

  dialogs.backupChosen = backups.List().size() - 1;  // the oldest
  user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kRestoreBackup); });
  user.Then([](HWND mainWindow) { EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0"); });
  ThenClose();
  RunUser();
  EXPECT_EQ(state.database.Image(), before);
}

}  // namespace
}  // namespace userdb::test
