// The window's File and View menus: import with its preview, export, backups and the map, and
// what each does to the database in memory, the shown page and typed work.

#include "tests/menus/file_menu_fixture.h"

#include "menus/import_preview.h"

#include <array>

#include "app/source_records.h"
#include "formats/file_contents.h"
#include "formats/file_format.h"
#include "formats/points_file.h"
#include "storage/backup_store.h"
#include "tests/menus/track_gpx.h"
#include "window/menu_bar.h"

namespace userdb::menus {
namespace {

using formats::FileFormat;

// n cameras going north from 48.0,9.0, about 1.1 km apart.
std::string CameraList(int n, double firstLatitude = 48.0) {
  std::string text = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  for (int i = 0; i < n; ++i) {
    text += "9.0000000," + std::to_string(firstLatitude + 0.01 * i) + ",0,50,0,0\n";
  }
  return text;
}

UserDatabase TwoPoints() {
  UserDatabase database;
  database.SetPoint(0, UserPoint{.longitude = 600000 * 13, .latitude = 600000 * 52, .speed = 27});
  database.SetPoint(1, UserPoint{.longitude = 600000 * 2, .latitude = 600000 * 48, .speed = 16});
  return database;
}

const std::array<std::string, kRowFieldCount> kTypedRow = {"E", "121", "30", "15", "50", "N", "25",
                                                           "2", "30",  "0",  "60", "90", "1", "TYPED"};
constexpr std::uint32_t kTypedLatitude = 15025000;

TEST_F(FileMenuTest, AnImportMergesAListIntoAnEmptyWindowAndShowsItAsLoaded) {
  // The fourth camera stands 10 m from the third: the same camera in another list.
  const std::string list = CameraList(3) + "9.0000000,48.0200900,0,50,0,0\n";
  dialogs.opens.push_back(FileChoice{Write("cameras.txt", list), 0});
  Choose(menu::kImportPoints);

  ASSERT_EQ(dialogs.previews.size(), 1u);
  EXPECT_EQ(dialogs.previews[0].summary,
            "Merged: 0 kept, 3 added, 1 duplicate, 0 outside the region, 0 left out for capacity");
  EXPECT_TRUE(dialogs.previews[0].canImport);
  EXPECT_EQ(dialogs.previews[0].details,
            (std::vector<std::string>{"adds \"\" at 48.0000000,9.0000000", "adds \"\" at 48.0100000,9.0000000",
                                      "adds \"\" at 48.0200000,9.0000000",
                                      "4 points: all directions: stored as a point without a direction"}));
  EXPECT_EQ(dialogs.offered.front().label, "All point files");
  EXPECT_TRUE(Loaded());
  EXPECT_EQ(formats::PointCount(state.database), 3u);
  EXPECT_EQ(window.TextOf(ids::LatitudeField(2, ids::CoordinatePart::Degrees)), "48");
  EXPECT_EQ(window.TextOf(ids::kStatusBox),
            "Imported cameras.txt:\r\nMerged: 0 kept, 3 added, 1 duplicate, 0 outside the region, 0 left out for "
            "capacity");
  EXPECT_TRUE(window.Boxes().empty());
}

TEST_F(FileMenuTest, AListLargerThanTheDeviceIsRefusedUntilARegionOrAFitIsChosen) {
  Load(TwoPoints());
  dialogs.opens.push_back(FileChoice{Write("big.csv", CameraList(300)), 0});
  dialogs.tried = {ImportSettings{"", "", formats::CapacityFit::Nearest, ""},
                   ImportSettings{"48.0,9.0", "x", formats::CapacityFit::Refuse, ""},
                   ImportSettings{"48.0,9.0", "", formats::CapacityFit::Nearest, ""}};
  Choose(menu::kImportPoints);

  ASSERT_EQ(dialogs.previews.size(), 4u);
  EXPECT_FALSE(dialogs.previews[0].canImport);
  EXPECT_EQ(dialogs.previews[0].summary,
            "The import would hold 302 points, and a device holds 256: keep a region, or the nearest or the first "
            "points that fit");
  EXPECT_EQ(dialogs.previews[1].summary, "A radius and \"Keep the nearest\" measure from Near");
  EXPECT_EQ(dialogs.previews[2].summary, "Radius: give a number of kilometres, such as 50");
  const ImportPreview& fitted = dialogs.previews[3];
  EXPECT_TRUE(fitted.canImport);
  EXPECT_EQ(fitted.summary, "Merged: 2 kept, 254 added, 0 duplicates, 0 outside the region, 46 left out for capacity");
  // The 254 points added, cut short, then the 46 left out and what reading changed, still in sight.
  ASSERT_EQ(fitted.details.size(), kPreviewPointLines + 1 + 46 + 1);
  EXPECT_EQ(fitted.details.front(), "adds \"\" at 48.0000000,9.0000000");
  EXPECT_EQ(fitted.details[kPreviewPointLines - 1], "adds \"\" at 48.4900000,9.0000000");
  EXPECT_EQ(fitted.details[kPreviewPointLines], "and 204 more");
  EXPECT_TRUE(fitted.details[kPreviewPointLines + 1].starts_with("left out for capacity: ")) << fitted.details[51];
  EXPECT_EQ(fitted.details.back(), "300 points: all directions: stored as a point without a direction");

  EXPECT_EQ(formats::PointCount(state.database), 256u);
  // The driver's own points keep their records.
  EXPECT_EQ(state.database.Point(0), TwoPoints().Point(0));
  EXPECT_EQ(state.database.Point(1), TwoPoints().Point(1));
}

TEST_F(FileMenuTest, AListImportedAlongARouteKeepsThePointsInItsCorridorAndThoseNearestTheRouteThatFit) {
  Load(TwoPoints());
  // 200 cameras on the road north from 48.0,9.0, 100 half a kilometre east of it, 20 far away.
  std::string list = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  const auto add = [&list](double latitude, const std::string& longitude) {
    list += longitude + "," + std::to_string(latitude) + ",0,50,0,0\n";
  };
  for (int i = 0; i < 200; ++i) add(48.0 + 0.01 * i, "9.0000000");
  for (int i = 0; i < 100; ++i) add(48.005 + 0.01 * i, "9.0067000");
  for (int i = 0; i < 20; ++i) add(48.0 + 0.01 * i, "9.5000000");
  dialogs.opens.push_back(FileChoice{Write("cams.txt", list), 0});
  const std::string route = Write("drive.gpx", test::TrackGpx({{48.0, 9.0}, {50.0, 9.0}}));
  dialogs.tried = {ImportSettings{.fit = formats::CapacityFit::Along},
                   ImportSettings{.route = route, .corridorKm = "1"},
                   ImportSettings{.fit = formats::CapacityFit::Along, .route = route, .corridorKm = "1"}};
  Choose(menu::kImportPoints);

  ASSERT_EQ(dialogs.previews.size(), 4u);
  EXPECT_EQ(dialogs.previews[1].summary, "A corridor and \"Keep those nearest the route\" measure from a Route file");
  EXPECT_EQ(dialogs.previews[2].summary,
            "The import would hold 302 points, and a device holds 256: keep a region, or the nearest or the first "
            "points that fit");
  EXPECT_EQ(dialogs.previews[3].summary,
            "Merged: 2 kept, 254 added, 0 duplicates, 20 outside the region, 46 left out for capacity");
  ASSERT_EQ(formats::PointCount(state.database), 256u);
  std::size_t onTheRoad = 0;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    onTheRoad += state.database.Point(k).longitude == 9 * 600000 ? 1 : 0;
  }
  EXPECT_EQ(onTheRoad, 200u) << "those on the road go before those beside it";
}

TEST_F(FileMenuTest, ImportingAListOfTheSameNameAgainOffersToReplaceItsPointsAndKeepsTheDriversOwn) {
  Load(TwoPoints());
  dialogs.opens.push_back(FileChoice{Write("cams.csv", CameraList(100)), 0});
  Choose(menu::kImportPoints);
  EXPECT_EQ(dialogs.previews.back().summary,
            "Merged: 2 kept, 100 added, 0 duplicates, 0 outside the region, 0 left out for capacity");
  EXPECT_EQ(CountSources(sources, state.database).at("cams").points, 100u);

  // A month later: 50 cameras of the old list are gone, 200 stand further north.
  dialogs.opens.push_back(FileChoice{Write("cams.csv", CameraList(250, 48.5)), 0});
  dialogs.previews.clear();
  dialogs.tried = {ImportSettings{"", "", formats::CapacityFit::Refuse, ""}};  // the user clears the field first
  Choose(menu::kImportPoints);
  ASSERT_EQ(dialogs.previews.size(), 2u);
  EXPECT_EQ(dialogs.previews[0].summary,
            "Merged: 2 kept, 100 replaced by the new list, 250 added, 0 duplicates, 0 outside the region, 0 left out "
            "for capacity");  // offered, as the database holds points of cams
  EXPECT_EQ(dialogs.previews[1].summary,
            "The import would hold 302 points, and a device holds 256: keep a region, or the nearest or the first "
            "points that fit")
      << "without replacing, 50 of the old list stay beside the new";
  EXPECT_EQ(dialogs.previews[1].summary.find("replaced"), std::string::npos);

  dialogs.opens.push_back(FileChoice{Write("cams.csv", CameraList(250, 48.5)), 0});
  dialogs.tried.clear();
  Choose(menu::kImportPoints);
  EXPECT_EQ(formats::PointCount(state.database), 252u);
  EXPECT_EQ(state.database.Point(0), TwoPoints().Point(0));
  EXPECT_EQ(state.database.Point(1), TwoPoints().Point(1));
  const std::map<std::string, SourceCount> counts = CountSources(sources, state.database);
  EXPECT_EQ(counts.at("cams").points, 250u);
  EXPECT_EQ(counts.at("").points, 2u);
}

TEST_F(FileMenuTest, CancelInThePreviewOrInTheFileDialogChangesNothing) {
  Load(TwoPoints());
  const TransferImage before = state.database.Image();
  dialogs.opens.push_back(FileChoice{Write("cameras.txt", CameraList(5)), 0});
  dialogs.cancelImport = true;
  Choose(menu::kImportPoints);
  Choose(menu::kImportPoints);  // the file dialog cancelled
  EXPECT_EQ(dialogs.previews.size(), 1u);
  EXPECT_EQ(state.database.Image(), before);
  EXPECT_EQ(window.TextOf(ids::kStatusBox), kStartStatus);
  EXPECT_TRUE(window.Boxes().empty());
}

TEST_F(FileMenuTest, AFileThatCannotBeReadIsToldAndNothingChanges) {
  dialogs.opens.push_back(FileChoice{Write("notes.xyz", "hello"), 0});
  dialogs.opens.push_back(FileChoice{Write("bad.txt", "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,2,3\n"), 0});
  Choose(menu::kImportPoints);
  Choose(menu::kImportPoints);
  ASSERT_EQ(window.Boxes().size(), 2u);
  EXPECT_EQ(window.Boxes()[0].caption, "Import points");
  EXPECT_NE(window.Boxes()[0].text.find("cannot tell the format of"), std::string::npos) << window.Boxes()[0].text;
  EXPECT_NE(window.Boxes()[1].text.find("bad.txt:2"), std::string::npos) << window.Boxes()[1].text;
  EXPECT_FALSE(Loaded());
  EXPECT_TRUE(dialogs.previews.empty());
}

// The window gets names in UTF-8, as typed: not cut down to the nearest Latin letters.
TEST_F(FileMenuTest, FilesAreNamedAsTypedInAnyLanguage) {
  dialogs.opens.push_back(FileChoice{Write("相機.txt", "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n1,2,3\n"), 0});
  dialogs.opens.push_back(FileChoice{Write("Łódź κάμερες.txt", CameraList(2)), 0});
  Choose(menu::kImportPoints);
  Choose(menu::kImportPoints);
  ASSERT_EQ(window.Boxes().size(), 1u);
  EXPECT_NE(window.Boxes()[0].text.find("/相機.txt:2"), std::string::npos) << window.Boxes()[0].text;
  EXPECT_EQ(window.TextOf(ids::kStatusBox).rfind("Imported Łódź κάμερες.txt:\r\n", 0), 0u);
  EXPECT_EQ(CountSources(sources, state.database).at("Łódź κάμερες").points, 2u);
}

TEST_F(FileMenuTest, TypedWorkIsSavedDroppedOrKeptAsTheUserAnswers) {
  for (const BoxAnswer answer : {BoxAnswer::Cancel, BoxAnswer::No, BoxAnswer::Yes}) {
    SCOPED_TRACE(static_cast<int>(answer));
    Load(TwoPoints());
    for (int field = 0; field < kRowFieldCount; ++field) window.Type(ids::RowField(2, field), kTypedRow[field]);
    window.SetBoxHandler([answer](const MessageBoxRequest& box) {
      EXPECT_EQ(box.kind, BoxKind::YesNoCancel);
      return answer;
    });
    dialogs.opens.push_back(FileChoice{Write("one.txt", CameraList(1, 40.0)), 0});
    const std::size_t boxesBefore = window.Boxes().size();
    Choose(menu::kImportPoints);
    ASSERT_EQ(window.Boxes().size(), boxesBefore + 1);
    EXPECT_EQ(window.Boxes().back().text, "Save changes to this page?");
    const bool typedKept = !state.database.Point(2).IsEmpty() && state.database.Point(2).latitude == kTypedLatitude;
    EXPECT_EQ(typedKept, answer == BoxAnswer::Yes);
    EXPECT_EQ(formats::PointCount(state.database), answer == BoxAnswer::Cancel ? 2u
                                                   : answer == BoxAnswer::No   ? 3u
                                                                               : 4u);
    // Cancel leaves the typed row where it was.
    EXPECT_EQ(window.TextOf(ids::NoteField(2)), answer == BoxAnswer::Cancel ? "TYPED" : (typedKept ? "TYPED" : ""));
    dialogs.opens.clear();
  }
}

TEST_F(FileMenuTest, AFaultyPageAnsweredYesStaysAndNothingIsImported) {
  Load(TwoPoints());
  window.Type(ids::SpeedField(0), "9999");
  dialogs.opens.push_back(FileChoice{Write("one.txt", CameraList(1, 40.0)), 0});
  Choose(menu::kImportPoints);  // Yes, by the window's default
  EXPECT_TRUE(dialogs.titles.empty());
  EXPECT_EQ(window.TextOf(ids::SpeedField(0)), "9999");
  EXPECT_EQ(formats::PointCount(state.database), 2u);
  EXPECT_EQ(window.TextOf(ids::kStatusBox).rfind("~ Error Message ~", 0), 0u);
}

TEST_F(FileMenuTest, APageAsShownOrAsSavedAsksNothing) {
  Load(TwoPoints());
  dialogs.opens.push_back(std::nullopt);
  Choose(menu::kImportPoints);
  EXPECT_TRUE(window.Boxes().empty());

  for (int field = 0; field < kRowFieldCount; ++field) window.Type(ids::RowField(2, field), kTypedRow[field]);
  router.Click(ids::kSavePage);  // answered Yes by the window
  const std::size_t boxes = window.Boxes().size();
  dialogs.opens.push_back(std::nullopt);
  Choose(menu::kImportPoints);
  EXPECT_EQ(window.Boxes().size(), boxes);
}

TEST_F(FileMenuTest, AnExportReadsBackAsTheSamePointsAndGetsItsFormatsExtension) {
  Load(TwoPoints());
  // Cancelled once, to learn the kinds offered; then GPX among them.
  dialogs.saves.push_back(std::nullopt);
  Choose(menu::kExportPoints);
  dialogs.saves.push_back(FileChoice{folder / "exported", KindOf(FileFormat::Gpx)});
  Choose(menu::kExportPoints);
  ASSERT_TRUE(std::filesystem::exists(folder / "exported.gpx"));
  ASSERT_EQ(window.Boxes().size(), 1u);
  EXPECT_EQ(window.Boxes()[0].text, "Exported 2 points to " + (folder / "exported.gpx").string() + ".");

  // Into a fresh window: the same records come back.
  state.database = UserDatabase();
  dialogs.opens.push_back(FileChoice{folder / "exported.gpx", 0});
  Choose(menu::kImportPoints);
  EXPECT_EQ(state.database.Point(0), TwoPoints().Point(0));
  EXPECT_EQ(state.database.Point(1), TwoPoints().Point(1));
}

// A folder gone, a disk full: the user hears what failed, and the points in memory stay.
TEST_F(FileMenuTest, AFileThatCannotBeWrittenIsToldAndNothingElseChanges) {
  Load(TwoPoints());
  const std::filesystem::path gone = folder / "gone";
  dialogs.saves.push_back(FileChoice{gone / "points.bin", 0});
  Choose(menu::kExportPoints);
  dialogs.saves.push_back(FileChoice{gone / "backup.bin", 0});
  Choose(menu::kSaveBackup);
  ASSERT_EQ(window.Boxes().size(), 2u);
  EXPECT_EQ(window.Boxes()[0].caption, "Export points");
  EXPECT_EQ(window.Boxes()[0].text.rfind("cannot write " + (gone / "points.bin").string(), 0), 0u)
      << window.Boxes()[0].text;
  EXPECT_EQ(window.Boxes()[1].caption, "Save backup");
  EXPECT_EQ(window.Boxes()[1].text.rfind("cannot write " + (gone / "backup.bin").string(), 0), 0u)
      << window.Boxes()[1].text;
  EXPECT_FALSE(std::filesystem::exists(gone));
  EXPECT_EQ(state.database.Image(), TwoPoints().Image());
  EXPECT_TRUE(backups.List().empty());
}

TEST_F(FileMenuTest, CommandsOnTheDatabaseInMemoryWaitForALoad) {
  for (const int command : {menu::kExportPoints, menu::kSaveBackup, menu::kShowOnMap}) Choose(command);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>(3, std::string(kLoadPrompt)));
  EXPECT_TRUE(dialogs.titles.empty());
}

TEST_F(FileMenuTest, ABackupSavedFromTheWindowIsListedAndRestoredIntoMemoryOnly) {
  Load(TwoPoints());
  dialogs.saves.push_back(std::nullopt);
  Choose(menu::kSaveBackup);
  ASSERT_EQ(dialogs.proposals.size(), 1u);
  const std::filesystem::path proposed = dialogs.proposals[0];
  EXPECT_EQ(proposed.parent_path(), folder / "backups");
  dialogs.saves.push_back(FileChoice{proposed, 0});
  Choose(menu::kSaveBackup);
  ASSERT_TRUE(std::filesystem::exists(proposed));

  state.database.SetPoint(0, UserPoint{});
  state.database.SetPoint(1, UserPoint{});
  ShowWholeDatabase(state, window);
  const std::size_t opensBefore = port.OpenCount();
  Choose(menu::kRestoreBackup);
  ASSERT_EQ(dialogs.listed.size(), 1u);
  EXPECT_EQ(dialogs.listed[0].points, 2u);
  EXPECT_EQ(state.database.Image(), TwoPoints().Image());
  EXPECT_TRUE(Loaded());
  EXPECT_NE(window.TextOf(ids::kStatusBox).find(": 2 points."), std::string::npos);
  EXPECT_EQ(port.OpenCount(), static_cast<int>(opensBefore));  // the device is never touched
}

TEST_F(FileMenuTest, RestoreWithoutBackupsSaysWhereTheyWouldBe) {
  Choose(menu::kRestoreBackup);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"There is no backup yet in " + (folder / "backups").string() + "."});
  EXPECT_FALSE(Loaded());
}

TEST_F(FileMenuTest, TheMapGetsAGpxFileOfThePointsOrTheOfferToExportThem) {
  Load(TwoPoints());
  Choose(menu::kShowOnMap);
  ASSERT_EQ(dialogs.opened.size(), 1u);
  const std::filesystem::path shown = dialogs.opened[0];
  EXPECT_EQ(shown.extension(), ".gpx");
  std::ifstream file(shown);
  const std::string gpx((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const formats::ReadResult read = formats::ReadContents(FileFormat::Gpx, gpx, {});
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.points.database.Image(), TwoPoints().Image());
  std::filesystem::remove(shown);

  dialogs.desktopOpens = false;
  dialogs.saves.push_back(std::nullopt);
  Choose(menu::kShowOnMap);
  ASSERT_EQ(window.Boxes().size(), 1u);
  EXPECT_EQ(window.Boxes()[0].kind, BoxKind::YesNo);
  EXPECT_EQ(window.Boxes()[0].caption, "Show on map");
  EXPECT_EQ(dialogs.titles.back(), "Export points");  // answered Yes
  EXPECT_FALSE(std::filesystem::exists(dialogs.opened[1]));
}

TEST_F(FileMenuTest, MenuCommandsWaitTheirTurnAndExitIsTheExitButton) {
  Load(TwoPoints());
  // A box open during Save this page: the menus take no second command meanwhile.
  window.SetBoxHandler([this](const MessageBoxRequest&) {
    EXPECT_TRUE(ChooseMenuItem(menu::kImportPoints, router, context));
    return BoxAnswer::No;
  });
  router.Click(ids::kSavePage);
  EXPECT_TRUE(dialogs.titles.empty());

  EXPECT_FALSE(ChooseMenuItem(menu::kAbout, router, context));
  Choose(menu::kExit);
  EXPECT_TRUE(window.IsClosed());
}

}  // namespace
}  // namespace userdb::menus
