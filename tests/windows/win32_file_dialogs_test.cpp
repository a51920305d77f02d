// The file commands' own Win32 dialogs over the main window, driven as a user drives them: the
// system's file dialogs, the import preview, the list of backups, and the choice box.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "accessible_control.h"
#include "formats/points_file.h"
#include "main_window_fixture.h"
#include "menus/attribution.h"
#include "menus/file_kinds.h"
#include "platform/win32/backup_dialog.h"
#include "platform/win32/choice_dialog.h"
#include "platform/win32/file_name_dialog.h"
#include "platform/win32/import_dialog.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_dialogs.h"
#include "window/control_ids.h"
#include "window/menu_bar.h"

namespace userdb::test {
namespace {

using formats::CapacityFit;
using menus::ImportPreview;
using menus::ImportSettings;

// The file name field and the type list of the system's file dialogs.
constexpr int kFileNameBox = 0x047C;  // cmb13
constexpr int kTypeList = 0x0470;     // cmb1

std::wstring ItemTextW(HWND dialog, int id) { return WindowTextW(GetDlgItem(dialog, id)); }

std::wstring ListEntry(HWND list, int index, UINT getText = LB_GETTEXT) {
  std::wstring text(512, L'\0');
  const LRESULT length = SendMessageW(list, getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

void ChooseFit(HWND dialog, CapacityFit fit) {
  const HWND list = GetDlgItem(dialog, win32::import_dialog::kFit);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(fit), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(win32::import_dialog::kFit, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// A preview that says what it was asked, and allows an import only with a region.
struct RecordingPreview {
  std::vector<ImportSettings> asked;

  menus::PreviewOf Function() {
    return [this](const ImportSettings& settings) {
      asked.push_back(settings);
      const bool region = !settings.near.empty();
      return ImportPreview{
          "near " + settings.near + " within " + settings.radiusKm + " km, fit " +
              std::to_string(static_cast<int>(settings.fit)),
          region ? std::vector<std::string>{"Left out: 2 points", "Changed: 1 note"} : std::vector<std::string>{},
          region};
    };
  }
};

class Win32FileDialogsTest : public MainWindowFixture {
 protected:
  // Runs an action of the system dialogs over the main window, then closes it.
  template <typename Action>
  void OverTheWindow(Action action) {
    user.Then([action](HWND mainWindow) {
      Win32Window owner;
      owner.Attach(mainWindow);
      Win32FileDialogs system(owner);
      action(system);
    });
    ThenClose();
    RunUser();
  }

  BackupEntry Entry(const std::string& taken, std::optional<std::uint32_t> serial, std::size_t points,
                    bool beforeWrite = false) {
    return BackupEntry{folder / (taken.substr(0, 10) + ".bin"), taken, serial, points, beforeWrite};
  }
};

TEST_F(Win32FileDialogsTest, TheImportPreviewIsWorkedOutAgainAtEveryChangeAndImportTakesTheLastSettings) {
  RecordingPreview preview;
  const menus::PreviewOf function = preview.Function();
  std::optional<ImportSettings> accepted;
  user.AnswerWith([](const SeenDialog& dialog, HWND) {
    using namespace win32::import_dialog;
    const HWND box = dialog.handle;
    EXPECT_EQ(dialog.caption, L"Import points");
    EXPECT_EQ(ItemTextW(box, kFile), L"File: cameras.txt");
    EXPECT_EQ(ItemTextW(box, kAttribution), L"") << "a camera list names no source";
    EXPECT_EQ(ItemTextW(box, kSummary), L"near  within  km, fit 0");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(box, IDOK))) << "no import without a region, as the preview said";
    const HWND fits = GetDlgItem(box, kFit);
    EXPECT_EQ(SendMessageW(fits, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(ListEntry(fits, 1, CB_GETLBTEXT), L"Keep the nearest");

    TypeInto(GetDlgItem(box, kNear), "48.0,9.0");
    EXPECT_EQ(ItemTextW(box, kSummary), L"near 48.0,9.0 within  km, fit 0");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(box, IDOK)));
    TypeInto(GetDlgItem(box, kRadius), "5");
    ChooseFit(box, CapacityFit::Nearest);
    EXPECT_EQ(ItemTextW(box, kSummary), L"near 48.0,9.0 within 5 km, fit 1");
    const HWND details = GetDlgItem(box, kDetails);
    EXPECT_EQ(SendMessageW(details, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ListEntry(details, 0), L"Left out: 2 points");
    EXPECT_EQ(ListEntry(details, 1), L"Changed: 1 note");
    EXPECT_EQ(ItemTextW(box, kReplace), L"cams") << "the list offered for replacing";
    TypeInto(GetDlgItem(box, kReplace), "");
    return IDOK;
  });
  ImportSettings start;
  start.replace = "cams";
  OverTheWindow(
      [&](Win32FileDialogs& system) { accepted = system.ConfirmImport("C:\\lists\\cameras.txt", start, function); });
  const ImportSettings last{"48.0,9.0", "5", CapacityFit::Nearest, ""};
  ASSERT_TRUE(accepted.has_value());
  EXPECT_EQ(*accepted, last);
  // The start, each of the eight characters of Near, the radius, the fit and the cleared list: each once.
  ASSERT_EQ(preview.asked.size(), 12u);
  EXPECT_EQ(preview.asked.front(), start);
  EXPECT_EQ(preview.asked[10].replace, "cams");
  EXPECT_EQ(preview.asked[1].near, "4");
  EXPECT_EQ(preview.asked.back(), last);
}

TEST_F(Win32FileDialogsTest, ImportDoesNothingWhileThePreviewForbidsItAndCancelGivesNoSettings) {
  RecordingPreview preview;
  const menus::PreviewOf function = preview.Function();
  std::optional<ImportSettings> accepted = ImportSettings{};
  std::vector<HWND> seen;
  user.AnswerWith([&seen](const SeenDialog& dialog, HWND) {
    seen.push_back(dialog.handle);
    return seen.size() == 1 ? IDOK : IDCANCEL;
  });
  OverTheWindow([&](Win32FileDialogs& system) {
    accepted = system.ConfirmImport(
        "cameras.txt", ImportSettings{.near = "", .radiusKm = "3", .fit = CapacityFit::First, .replace = ""}, function);
  });
  EXPECT_FALSE(accepted.has_value());
  ASSERT_EQ(seen.size(), 2u) << "Import left the dialog open";
  EXPECT_EQ(seen[0], seen[1]);
  ASSERT_EQ(preview.asked.size(), 1u);
  EXPECT_EQ(preview.asked[0].fit, CapacityFit::First) << "the start's settings are shown";
}

TEST_F(Win32FileDialogsTest, TheRouteIsBrowsedForItsCorridorTypedAndAnExtractNamesItsSource) {
  const std::filesystem::path route = Write("drive.gpx", "<gpx/>");  // the preview is the test's: it need only exist
  RecordingPreview preview;
  const menus::PreviewOf function = preview.Function();
  std::optional<ImportSettings> accepted;
  std::vector<std::wstring> captions;
  HWND importDialog = nullptr;
  std::wstring attribution;
  user.AnswerWith([&](const SeenDialog& dialog, HWND) {
    using namespace win32::import_dialog;
    captions.push_back(dialog.caption);
    if (dialog.caption == L"Choose a route") {
      EXPECT_EQ(dialog.owner, importDialog);
      EXPECT_EQ(ListEntry(GetDlgItem(dialog.handle, kTypeList), 0, CB_GETLBTEXT), L"Route files (*.gpx *.kml)");
      SetDlgItemTextW(dialog.handle, kFileNameBox, route.c_str());
      return IDOK;
    }
    if (importDialog == nullptr) {
      importDialog = dialog.handle;
      attribution = ItemTextW(dialog.handle, kAttribution);
      // Each field is heard by the label before it.
      EXPECT_EQ(AccessibleControl(GetDlgItem(dialog.handle, kRoute)).Name(), L"Route (GPX, KML):");
      EXPECT_EQ(AccessibleControl(GetDlgItem(dialog.handle, kCorridor)).Name(), L"Corridor, km:");
      EXPECT_EQ(AccessibleControl(GetDlgItem(dialog.handle, kBrowseRoute)).Name(), L"Browse…");
      EXPECT_EQ(ListEntry(GetDlgItem(dialog.handle, kFit), 3, CB_GETLBTEXT), L"Keep those nearest the route");
      return kBrowseRoute;
    }
    TypeInto(GetDlgItem(dialog.handle, kCorridor), "2");
    ChooseFit(dialog.handle, CapacityFit::Along);
    return IDOK;
  });
  OverTheWindow([&](Win32FileDialogs& system) {
    accepted = system.ConfirmImport("C:\\maps\\berlin.osm.pbf", ImportSettings{.near = "48.0,9.0"}, function);
  });
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"Import points", L"Choose a route", L"Import points"}));
  EXPECT_EQ(attribution, win32::WideText(menus::AttributionOf("berlin.osm.pbf")));
  ASSERT_TRUE(accepted.has_value());
  EXPECT_TRUE(std::filesystem::equivalent(accepted->route, route)) << accepted->route;
  EXPECT_EQ(accepted->corridorKm, "2");
  EXPECT_EQ(accepted->fit, CapacityFit::Along);
  ASSERT_EQ(preview.asked.size(), 4u) << "the start, the route, the corridor and the fit";
  EXPECT_EQ(preview.asked[1].route, accepted->route);
  EXPECT_EQ(preview.asked.back(), *accepted);
}

TEST_F(Win32FileDialogsTest, TheBackupListShowsDateSerialPointsAndNoteAndGivesTheEntryChosen) {
  const std::vector<BackupEntry> entries{Entry("2026-01-02 03:04:05", 20110318, 37),
                                         Entry("2025-12-31 23:59:59", std::nullopt, 256),
                                         Entry("2025-12-30 10:00:00", 5, 0, true)};
  std::vector<std::optional<std::size_t>> chosen;
  int run = 0;
  user.AnswerWith([&run](const SeenDialog& dialog, HWND) {
    const HWND list = GetDlgItem(dialog.handle, win32::backup_dialog::kList);
    EXPECT_EQ(dialog.caption, L"Restore backup");
    EXPECT_NE(dialog.owner, nullptr);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0) << "the newest is chosen at the start";
    EXPECT_EQ(ListEntry(list, 0), L"2026-01-02 03:04:05\t20110318\t37\t");
    EXPECT_EQ(ListEntry(list, 1), L"2025-12-31 23:59:59\t-\t256\t");
    EXPECT_EQ(ListEntry(list, 2), L"2025-12-30 10:00:00\t5\t0\tbefore writing, empty device");
    switch (run++) {
      case 0:
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        return IDOK;
      case 1:
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        SendMessageW(dialog.handle, WM_COMMAND, MAKEWPARAM(win32::backup_dialog::kList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
        return IDCANCEL;  // too late: the double click ended the dialog
      default:
        return IDCANCEL;
    }
  });
  OverTheWindow([&](Win32FileDialogs& system) {
    for (int i = 0; i < 3; ++i) chosen.push_back(system.ChooseBackup(entries));
  });
  EXPECT_EQ(chosen, (std::vector<std::optional<std::size_t>>{1, 1, std::nullopt}));
}

TEST_F(Win32FileDialogsTest, TheChoiceBoxShowsItsTextAndButtonsAndGivesTheOneClicked) {
  const ChoiceRequest request{"The last write did not finish.",
                              "Unfinished write",
                              {"Write again", "Restore the backup from before", "Not now"}};
  std::vector<std::size_t> chosen;
  int run = 0;
  user.AnswerWith([&run](const SeenDialog& dialog, HWND) {
    EXPECT_EQ(dialog.caption, L"Unfinished write");
    EXPECT_NE(dialog.owner, nullptr);
    EXPECT_EQ(ItemTextW(dialog.handle, win32::choice_dialog::kText), L"The last write did not finish.");
    EXPECT_EQ(ItemTextW(dialog.handle, win32::choice_dialog::kFirstChoice + 1), L"Restore the backup from before");
    const LONG_PTR firstStyle =
        GetWindowLongPtrW(GetDlgItem(dialog.handle, win32::choice_dialog::kFirstChoice), GWL_STYLE);
    EXPECT_EQ(firstStyle & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON) << "the first choice is the default";
    switch (run++) {
      case 0:
        return win32::choice_dialog::kFirstChoice + 1;
      case 1:
        return IDOK;  // Enter: the default
      default:
        return IDCANCEL;  // Escape: the last
    }
  });
  user.Then([&](HWND mainWindow) {
    Win32Window owner;
    owner.Attach(mainWindow);
    for (int i = 0; i < 3; ++i) chosen.push_back(owner.Choose(request));
  });
  ThenClose();
  RunUser();
  EXPECT_EQ(chosen, (std::vector<std::size_t>{1, 0, 2}));
}

TEST_F(Win32FileDialogsTest, TheOpenDialogOffersTheKindsAndGivesTheFileTyped) {
  const std::filesystem::path list = Write("cameras.txt", "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n");
  const std::vector<menus::FileKind> kinds = menus::KindsToOpen();
  std::optional<menus::FileChoice> choice;
  user.AnswerWith([&](const SeenDialog& dialog, HWND mainWindow) {
    EXPECT_EQ(dialog.caption, L"Import points");
    EXPECT_EQ(dialog.owner, mainWindow);
    const HWND types = GetDlgItem(dialog.handle, kTypeList);
    EXPECT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(kinds.size()));
    EXPECT_EQ(ListEntry(types, 0, CB_GETLBTEXT), win32::WideText(kinds[0].Described()));
    SetDlgItemTextW(dialog.handle, kFileNameBox, list.c_str());
    return IDOK;
  });
  OverTheWindow([&](Win32FileDialogs& system) { choice = system.ChooseFileToOpen("Import points", kinds); });
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(std::filesystem::equivalent(choice->path, list), true) << choice->path;
  EXPECT_EQ(choice->kind, 0u);
}

TEST_F(Win32FileDialogsTest, TheSaveDialogProposesTheNameAndCancelGivesNothing) {
  const std::vector<menus::FileKind> kinds = menus::KindsToSave();
  std::optional<menus::FileChoice> choice = menus::FileChoice{};
  std::wstring proposed;
  user.AnswerWith([&](const SeenDialog& dialog, HWND) {
    proposed = ItemTextW(dialog.handle, kFileNameBox);
    EXPECT_EQ(dialog.caption, L"Export points");
    return IDCANCEL;
  });
  OverTheWindow([&](Win32FileDialogs& system) {
    choice = system.ChooseFileToSave("Export points", kinds, folder / "points.csv");
  });
  EXPECT_EQ(proposed, L"points.csv");
  EXPECT_FALSE(choice.has_value());
}

// .gpx files open with a command (HKCR: the user's classes on Windows, the machine's under Wine).
class GpxHandler {
 public:
  explicit GpxHandler(const std::wstring& command) {
    SetDefault(L".gpx", kProgId);
    SetDefault(std::wstring(kProgId) + L"\\shell\\open\\command", command);
  }
  ~GpxHandler() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".gpx");
  }
  GpxHandler(const GpxHandler&) = delete;
  GpxHandler& operator=(const GpxHandler&) = delete;

 private:
  static constexpr const wchar_t* kProgId = L"userdb.tests.gpx";
  static void SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
  }
};

bool AppearsWithin(const std::filesystem::path& file, std::chrono::seconds bound) {
  const auto end = std::chrono::steady_clock::now() + bound;
  while (!std::filesystem::exists(file) && std::chrono::steady_clock::now() < end) Sleep(100);
  return std::filesystem::exists(file);
}

TEST_F(Win32FileDialogsTest, AGpxFileGoesToTheProgramRegisteredForIt) {
  const std::filesystem::path file = Write("points.gpx", "<gpx/>");
  const std::filesystem::path handed = folder / "handed.gpx";
  const GpxHandler handler(L"\"C:\\windows\\system32\\cmd.exe\" /c copy \"%1\" \"" + handed.wstring() + L"\"");
  bool opened = false;
  OverTheWindow([&](Win32FileDialogs& system) { opened = system.OpenWithDesktop(file); });
  EXPECT_TRUE(opened);
  ASSERT_TRUE(AppearsWithin(handed, std::chrono::seconds(20))) << "the registered program was not given the file";
  EXPECT_EQ(std::filesystem::file_size(handed), std::filesystem::file_size(file));
}

TEST_F(Win32FileDialogsTest, AFileOfNoKnownTypeOpensWithNoDesktopProgram) {
  const std::filesystem::path file = Write("points.userdb-none", "");
  bool opened = true;
  OverTheWindow([&](Win32FileDialogs& system) { opened = system.OpenWithDesktop(file); });
  EXPECT_FALSE(opened);
  EXPECT_TRUE(user.Dialogs().empty());
}

// The window with Windows' own file dialogs, in which the user types the name of a file that
// the ANSI code page cannot hold.
class Win32FileNamesTest : public MainWindowFixture {
 protected:
  Win32FileNamesTest() : MainWindowFixture(FileDialogsOfTheWindow::System) {
    user.AnswerWith([this](const SeenDialog& dialog, HWND) {
      if (GetDlgItem(dialog.handle, kFileNameBox) != nullptr) {
        SetDlgItemTextW(dialog.handle, kFileNameBox, typedName.c_str());
        return IDOK;
      }
      if (onOtherDialog) onOtherDialog(dialog);
      return IDOK;
    });
  }

  static std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) entries.push_back(ListEntry(list, i));
    return entries;
  }

  // Import points… with typedName, then the status box once the window has taken the points.
  std::wstring ImportThenStatus() {
    user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kImportPoints); });
    std::wstring status;
    user.Then([&status](HWND mainWindow) { status = WindowTextW(GetDlgItem(mainWindow, ids::kStatusBox)); });
    ThenClose();
    RunUser();
    return status;
  }

  std::filesystem::path typedName;                       // into the system's file dialogs
  std::function<void(const SeenDialog&)> onOtherDialog;  // before its first button is pressed
};

TEST_F(Win32FileNamesTest, AListNamedInPolishAndGreekShowsItsNameAsTypedInThePreviewAndTheStatus) {
  typedName = Write(L"Łódź κάμερες.csv",
                    "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n"
                    "9.0000000,48.0000000,0,50,1,90\n"
                    "9.0000000,48.0100000,0,50,0,0\n");
  std::wstring fileShown;
  std::vector<std::wstring> details;
  onOtherDialog = [&](const SeenDialog& dialog) {
    EXPECT_EQ(dialog.caption, L"Import points");
    fileShown = ItemTextW(dialog.handle, win32::import_dialog::kFile);
    details = ListEntries(GetDlgItem(dialog.handle, win32::import_dialog::kDetails));
  };
  const std::wstring status = ImportThenStatus();

  EXPECT_EQ(fileShown, L"File: Łódź κάμερες.csv");
  const std::wstring changed = typedName.wstring() + L":3: all directions: stored as a point without a direction";
  EXPECT_NE(std::find(details.begin(), details.end(), changed), details.end())
      << "the preview names the file where reading changed a point";
  EXPECT_EQ(status.rfind(L"Imported Łódź κάμερες.csv:\r\nMerged: 0 kept, 2 added", 0), 0u) << win32::Utf8Text(status);
  EXPECT_EQ(formats::PointCount(state.database), 2u) << "the file was read by its wide name";
}

TEST_F(Win32FileNamesTest, AGpxListNamedInPolishAndGreekIsReadByItsNameAndShownAsTyped) {
  typedName = Write(L"Łódź κάμερες.gpx",
                    "<gpx version=\"1.1\"><wpt lat=\"48.1\" lon=\"11.5\"><name>Ring @60</name></wpt></gpx>");
  std::wstring fileShown;
  onOtherDialog = [&](const SeenDialog& dialog) { fileShown = ItemTextW(dialog.handle, win32::import_dialog::kFile); };
  const std::wstring status = ImportThenStatus();

  EXPECT_EQ(fileShown, L"File: Łódź κάμερες.gpx");
  EXPECT_EQ(status.rfind(L"Imported Łódź κάμερες.gpx:\r\nMerged: 0 kept, 1 added", 0), 0u) << win32::Utf8Text(status);
  EXPECT_EQ(formats::PointCount(state.database), 1u);
}

TEST_F(Win32FileNamesTest, MessageBoxesNameAFileInChineseAsTyped) {
  const std::filesystem::path backup = folder / L"備份 相機.bin";
  const std::filesystem::path refused = Write(L"相機.csv",
                                              "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n"
                                              "9.0000000,48.0000000,0,50,1,400\n");
  std::vector<SeenDialog> boxes;
  onOtherDialog = [&boxes](const SeenDialog& dialog) { boxes.push_back(dialog); };
  ThenLoadFromTheDevice();
  user.Then([&](HWND mainWindow) {
    typedName = backup;
    ChooseMenu(mainWindow, menu::kSaveBackup);
  });
  user.Then([&](HWND mainWindow) {
    typedName = refused;
    ChooseMenu(mainWindow, menu::kImportPoints);
  });
  ThenClose();
  RunUser();

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, L"Save backup");
  EXPECT_EQ(boxes[0].text, L"Saved a backup to " + backup.wstring() + L".");
  EXPECT_TRUE(std::filesystem::exists(backup));
  EXPECT_EQ(boxes[1].caption, L"Import points");
  EXPECT_EQ(boxes[1].text.rfind(refused.wstring() + L":2: DIRECTION:", 0), 0u) << win32::Utf8Text(boxes[1].text);
}

TEST(FileNameDialogFilter, EachKindIsItsDescriptionAndItsPatternsAndAKindWithoutOneTakesAnyFile) {
  const std::vector<menus::FileKind> kinds{{"GPX files", {"*.gpx"}, std::nullopt},
                                           {"Lists", {"*.txt", "*.csv"}, std::nullopt},
                                           {"Anything", {}, std::nullopt}};
  constexpr wchar_t kExpected[] = L"GPX files (*.gpx)\0*.gpx\0Lists (*.txt *.csv)\0*.txt;*.csv\0Anything ()\0*.*\0";
  EXPECT_EQ(win32::FilterOf(kinds), std::wstring(std::begin(kExpected), std::end(kExpected)));
}

}  // namespace
}  // namespace userdb::test
