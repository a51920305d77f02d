// The window's menu bar and what its File and View items do, on the offscreen platform: the
// import preview dialog and the backup list are the real ones, driven as a user would; only the
// platform's file choosers and the desktop's map program are stood in for.

#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <fstream>

#include "app/source_records.h"
#include "database/note_codec.h"
#include "formats/points_file.h"
#include "gui/backup_list_dialog.h"
#include "gui/dialog_units.h"
#include "gui/import_dialog.h"
#include "gui/utf8_text.h"
#include "menus/attribution.h"
#include "storage/source_file.h"
#include "tests/menus/track_gpx.h"
#include "window/accessible_names.h"
#include "window/menu_bar.h"
#include "window_on_simulator.h"

namespace userdb {
namespace {

class DrivenDialogs final : public menus::FileDialogs {
 public:
  std::optional<menus::FileChoice> ChooseFileToOpen(std::string_view title,
                                                    std::span<const menus::FileKind> kinds) override {
    return Next(title, kinds, opens);
  }
  std::optional<menus::FileChoice> ChooseFileToSave(std::string_view title, std::span<const menus::FileKind> kinds,
                                                    const std::filesystem::path& proposed) override {
    proposals.push_back(proposed);
    return Next(title, kinds, saves);
  }
  std::optional<menus::ImportSettings> ConfirmImport(const std::filesystem::path& file,
                                                     const menus::ImportSettings& start,
                                                     const menus::PreviewOf& preview) override {
    ImportDialog dialog(nullptr, file, start, preview);
    if (!onImport(dialog)) return std::nullopt;
    return dialog.Settings();
  }
  std::optional<std::size_t> ChooseBackup(std::span<const BackupEntry> backups) override {
    BackupListDialog dialog(nullptr, backups);
    const int chosen = onBackups(dialog);
    return chosen < 0 ? std::nullopt : std::optional<std::size_t>(chosen);
  }
  bool OpenWithDesktop(const std::filesystem::path& file) override {
    opened.push_back(file);
    return false;
  }

  std::deque<std::optional<menus::FileChoice>> opens;
  std::deque<std::optional<menus::FileChoice>> saves;
  std::function<bool(ImportDialog&)> onImport = [](ImportDialog&) { return true; };
  std::function<int(BackupListDialog&)> onBackups = [](BackupListDialog& dialog) { return dialog.Chosen(); };
  std::vector<std::string> titles;
  std::vector<menus::FileKind> offered;
  std::vector<std::filesystem::path> proposals;
  std::vector<std::filesystem::path> opened;

 private:
  std::optional<menus::FileChoice> Next(std::string_view title, std::span<const menus::FileKind> kinds,
                                        std::deque<std::optional<menus::FileChoice>>& queue) {
    titles.emplace_back(title);
    offered.assign(kinds.begin(), kinds.end());
    if (queue.empty()) return std::nullopt;
    std::optional<menus::FileChoice> next = queue.front();
    queue.pop_front();
    return next;
  }
};

// n cameras going north from 48.0,9.0, about 1.1 km apart; the last one twice, 10 m apart.
std::string CameraList(int n) {
  std::string text = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
  for (int i = 0; i < n; ++i) text += "9.0000000," + std::to_string(48.0 + 0.01 * i) + ",0,50,1,90\n";
  return text + "9.0000000," + std::to_string(48.0 + 0.01 * (n - 1) + 0.00009) + ",0,50,1,90\n";
}

class Session {
 public:
  Session() : backups(std::filesystem::path(folder.path().toStdString()) / "backups"), run(&backups) {
    run.window.SetFileDialogs(dialogs);
  }

  std::filesystem::path Write(const std::string& name, const std::string& contents) const {
    const std::filesystem::path path = std::filesystem::path(folder.path().toStdString()) / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }
  void Trigger(int command) const { run.window.MenuAction(command)->trigger(); }
  bool Loaded() const { return run.TextOf(ids::kPageLabel) == "Page 0" && run.Button(ids::kExitAndWrite).isEnabled(); }

  QTemporaryDir folder;
  storage::BackupStore backups;
  WindowOnSimulator run;
  DrivenDialogs dialogs;
};

}  // namespace

class FileMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("userdb-gui")); }

  void theMenuBarHoldsTheTableAboveAClientAreaOfTheTemplatesSize() {
    WindowOnSimulator run;
    const QList<QAction*> menus = run.window.MenuBar().actions();
    QCOMPARE(menus.size(), static_cast<qsizetype>(MenuBar().size()));
    for (std::size_t m = 0; m < MenuBar().size(); ++m) {
      QCOMPARE(menus[m]->text(), FromUtf8(MenuBar()[m].title));
      const QList<QAction*> items = menus[m]->menu()->actions();
      QCOMPARE(items.size(), static_cast<qsizetype>(MenuBar()[m].items.size()));
      for (std::size_t i = 0; i < MenuBar()[m].items.size(); ++i) {
        const MenuItem& item = MenuBar()[m].items[i];
        QCOMPARE(items[i]->text(), FromUtf8(item.text));
        QCOMPARE(items[i]->shortcut(), QKeySequence(QString::fromStdString(item.shortcut.Text())));
        QCOMPARE(run.window.MenuAction(item.command), items[i]);
      }
    }

    const DialogBaseUnits units = BaseUnitsOf(run.window.font());
    const QWidget& client = run.window.ClientArea();
    const int barHeight = run.window.MenuBar().height();
    QVERIFY(barHeight > 0);
    QCOMPARE(run.window.MenuBar().geometry().top(), 0);
    QCOMPARE(client.geometry().top(), barHeight);
    const QSize templateSize(HorizontalPixels(MainFormTemplate().width, units),
                             VerticalPixels(MainFormTemplate().height, units));
    QCOMPARE(client.size(), templateSize);
    QCOMPARE(run.window.size(), QSize(templateSize.width(), templateSize.height() + barHeight));
    for (const ControlEntry& entry : MainFormTemplate().controls) {
      if (entry.id == ids::kStatic) continue;
      const QWidget* control = run.window.Control(entry.id);
      QCOMPARE(control->parentWidget(), &client);
      QCOMPARE(control->pos(), ToPixels(entry.rect, units).topLeft());
      QCOMPARE(control->width(), ToPixels(entry.rect, units).width());
    }
  }

  void everyControlHasANameThatAScreenReaderReads() {
    WindowOnSimulator run;
    for (QWidget* control : run.window.ClientArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
      QVERIFY(accessible != nullptr);
      QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(), control->metaObject()->className());
    }
    const auto nameOf = [&](int id) {
      return QAccessible::queryAccessibleInterface(run.window.Control(id))->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(ids::LongitudeField(0, ids::CoordinatePart::Degrees)), QStringLiteral("Row 0 longitude degrees"));
    QCOMPARE(nameOf(ids::NoteField(0)), QStringLiteral("Row 0 note"));
    QCOMPARE(nameOf(ids::RowCheck(0)), QStringLiteral("Mark row 0 for Clear data"));
    // A combo box is named by its label there.
    const auto labels =
        QAccessible::queryAccessibleInterface(run.window.Control(ids::kPortList))->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels[0].first->text(QAccessible::Name), QStringLiteral("COM port"));
    QCOMPARE(nameOf(ids::kStatusBox), QStringLiteral("Status messages"));
    QCOMPARE(nameOf(ids::kSavePage), QStringLiteral("Save this page"));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(run.window.Control(ids::SpeedField(4)))->text(QAccessible::Description),
        QStringLiteral("Speed"));
  }

  void importingMergesDuplicatesAndAListTooLargeWaitsForAFit() {
    Session session;
    session.run.Load();
    const std::size_t before = formats::PointCount(session.run.state.database);
    QVERIFY(before > 0 && before < 256);
    session.dialogs.opens.push_back(menus::FileChoice{session.Write("cameras.txt", CameraList(300)), 0});
    QString refused;
    bool couldImportAtFirst = true;
    session.dialogs.onImport = [&](ImportDialog& dialog) {
      refused = dialog.Summary().text();
      couldImportAtFirst = dialog.ImportButton().isEnabled();
      dialog.NearField().setText(QStringLiteral("48.0,9.0"));
      dialog.FitChoice().setCurrentIndex(dialog.FitChoice().findData(static_cast<int>(formats::CapacityFit::Nearest)));
      return dialog.ImportButton().isEnabled();
    };
    QTest::keyClick(&session.run.window, Qt::Key_I, Qt::ControlModifier);

    QCOMPARE(session.dialogs.titles, std::vector<std::string>{"Import points"});
    QVERIFY(!couldImportAtFirst);
    QVERIFY2(refused.startsWith(QStringLiteral("The import would hold ")), qPrintable(refused));
    QCOMPARE(formats::PointCount(session.run.state.database), std::size_t{256});
    QVERIFY(session.Loaded());
    const QString status = QString::fromStdString(session.run.TextOf(ids::kStatusBox));
    QVERIFY2(status.contains(QStringLiteral("1 duplicate,")), qPrintable(status));
    QVERIFY2(status.contains(QString::number(before) + QStringLiteral(" kept")), qPrintable(status));
  }

  void aListImportedAgainReplacesItsOldPointsThroughThePreviewAndTheDeviceGetsTheNewOnes() {
    Session session;
    storage::SourceFile sources(std::filesystem::path(session.folder.path().toStdString()));
    session.run.state.sources = &sources;
    session.run.Load();
    const TransferImage own = session.run.state.database.Image();
    const std::size_t ownPoints = formats::PointCount(session.run.state.database);
    session.dialogs.opens.push_back(menus::FileChoice{session.Write("cams.txt", CameraList(100)), 0});
    QString offeredAtFirst = QStringLiteral("?");
    session.dialogs.onImport = [&](ImportDialog& dialog) {
      offeredAtFirst = dialog.ReplaceField().text();
      return true;
    };
    QTest::keyClick(&session.run.window, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(offeredAtFirst, QString());  // nothing of cams yet

    // The next list moves every camera 0.5 degrees north: none of the old ones stays.
    std::string next = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
    for (int i = 0; i < 150; ++i) next += "9.0000000," + std::to_string(48.5 + 0.01 * i) + ",0,60,1,90\n";
    session.dialogs.opens.push_back(menus::FileChoice{session.Write("cams.txt", next), 0});
    QString summary;
    session.dialogs.onImport = [&](ImportDialog& dialog) {
      offeredAtFirst = dialog.ReplaceField().text();
      summary = dialog.Summary().text();
      return dialog.ImportButton().isEnabled();
    };
    QTest::keyClick(&session.run.window, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(offeredAtFirst, QStringLiteral("cams"));
    QVERIFY2(summary.contains(QStringLiteral("100 replaced by the new list, 150 added")), qPrintable(summary));

    session.run.Press(ids::kExitAndWrite);
    const UserDatabase& written = session.run.state.database;
    QCOMPARE(formats::PointCount(written), ownPoints + 150);
    UserDatabase onDevice;
    TransferImage deviceImage{};
    std::copy(session.run.device.Memory().image.begin(), session.run.device.Memory().image.end(), deviceImage.begin());
    onDevice.SetImage(deviceImage);
    QVERIFY(deviceImage == written.Image());
    for (std::size_t k = 0; k < ownPoints; ++k) {  // the driver's own, record for record
      QVERIFY(std::equal(own.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize),
                         own.begin() + static_cast<std::ptrdiff_t>((k + 1) * kRecordSize),
                         deviceImage.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize)));
    }
    QCOMPARE(CountSources(sources, onDevice).at("cams").points, std::size_t{150});
  }

  void cancelInTheImportDialogChangesNothing() {
    Session session;
    session.run.Load();
    const TransferImage before = session.run.state.database.Image();
    const std::string status = session.run.TextOf(ids::kStatusBox);
    session.dialogs.opens.push_back(menus::FileChoice{session.Write("cameras.txt", CameraList(3)), 0});
    bool couldImport = false;
    QString summary;
    session.dialogs.onImport = [&](ImportDialog& dialog) {
      couldImport = dialog.ImportButton().isEnabled();
      summary = dialog.Summary().text();
      return false;
    };
    session.Trigger(menu::kImportPoints);
    QVERIFY(couldImport);
    QVERIFY2(summary.startsWith(QStringLiteral("Merged: ")), qPrintable(summary));
    QCOMPARE(session.run.state.database.Image(), before);
    QCOMPARE(session.run.TextOf(ids::kStatusBox), status);
  }

  void aRouteChosenWithBrowseKeepsTheImportToItsCorridor() {
    Session session;
    session.run.Load();
    session.dialogs.opens.push_back(menus::FileChoice{session.Write("cameras.txt", CameraList(30)), 0});
    const std::filesystem::path route = session.Write("drive.gpx", test::TrackGpx({{48.0, 9.0}, {48.1, 9.0}}));
    QString chooserTitle;
    QStringList chooserFilters;
    QString withoutCorridor;
    QString summary;
    session.dialogs.onImport = [&](ImportDialog& dialog) {
      // The chooser runs its own loop: the user answers it from there.
      QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (chooser == nullptr) return QApplication::activeModalWidget()->close();
        chooserTitle = chooser->windowTitle();
        chooserFilters = chooser->nameFilters();
        chooser->selectFile(FromUtf8(route.string()));
        QMetaObject::invokeMethod(chooser, &QDialog::accept);
        return true;
      });
      dialog.BrowseRouteButton().click();
      withoutCorridor = dialog.Summary().text();
      dialog.CorridorField().setText(QStringLiteral("0.5"));
      summary = dialog.Summary().text();
      return dialog.ImportButton().isEnabled();
    };
    session.Trigger(menu::kImportPoints);

    QCOMPARE(chooserTitle, QStringLiteral("Choose a route"));
    QCOMPARE(chooserFilters.value(0), QStringLiteral("Route files (*.gpx *.kml)"));
    QCOMPARE(withoutCorridor,
             QStringLiteral("Corridor: give a number of kilometres either side of the route, such as 2"));
    // Eleven cameras stand along the 11 km of the route; the rest go on north, beyond its end.
    QVERIFY2(summary.contains(QStringLiteral(" 11 added, ")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral(" 20 outside the region, ")), qPrintable(summary));
    const QString status = QString::fromStdString(session.run.TextOf(ids::kStatusBox));
    QVERIFY2(status.contains(QStringLiteral(" 11 added, ")), qPrintable(status));
  }

  void theRouteFieldsAreNamedAndAnOpenStreetMapExtractNamesItsSource() {
    const menus::PreviewOf preview = [](const menus::ImportSettings&) { return menus::ImportPreview{}; };
    const QString attribution = FromUtf8(menus::AttributionOf("berlin.osm.pbf"));
    const auto shows = [](const ImportDialog& dialog, const QString& text) {
      const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
      return std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) { return label->text() == text; });
    };
    ImportDialog extract(nullptr, "/maps/berlin.osm.pbf", {}, preview);
    QVERIFY(shows(extract, attribution));
    ImportDialog list(nullptr, "/lists/cams.txt", {}, preview);
    QVERIFY(!shows(list, attribution));

    const auto nameOf = [](QWidget& control) {
      return QAccessible::queryAccessibleInterface(&control)->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(list.RouteField()), QStringLiteral("Route:"));
    QCOMPARE(nameOf(list.CorridorField()), QStringLiteral("Corridor (km):"));
    QCOMPARE(nameOf(list.BrowseRouteButton()), QStringLiteral("Browse…"));
  }

  void typedWorkIsAskedAboutBeforeAnImport() {
    Session session;
    session.run.Load();
    session.run.Type(ids::NoteField(0), QStringLiteral("CHANGED"));
    session.run.answer = [](const MessageBoxRequest&) { return BoxAnswer::Cancel; };
    session.Trigger(menu::kImportPoints);
    QCOMPARE(session.run.BoxTexts(), std::vector<std::string>{"Save changes to this page?"});
    QCOMPARE(session.run.boxes.back().kind, BoxKind::YesNoCancel);
    QVERIFY(session.dialogs.titles.empty());
    QCOMPARE(session.run.TextOf(ids::NoteField(0)), std::string("CHANGED"));
  }

  void anExportReadsBackAsTheSameDatabase() {
    Session session;
    session.run.Load();
    const TransferImage loaded = session.run.state.database.Image();
    session.dialogs.saves.push_back(std::nullopt);
    session.Trigger(menu::kExportPoints);
    std::size_t gpx = 0;
    while (session.dialogs.offered[gpx].format != formats::FileFormat::Gpx) ++gpx;
    const std::filesystem::path file = session.Write("exported", "");
    std::filesystem::remove(file);
    session.dialogs.saves.push_back(menus::FileChoice{file, gpx});
    session.Trigger(menu::kExportPoints);
    QVERIFY(std::filesystem::exists(file.string() + ".gpx"));

    session.run.state.database = UserDatabase();
    session.dialogs.opens.push_back(menus::FileChoice{file.string() + ".gpx", 0});
    session.Trigger(menu::kImportPoints);
    UserDatabase expected;
    expected.SetImage(loaded);
    for (std::size_t k = 0; k < kRecordCount; ++k) {
      QVERIFY2(session.run.state.database.Point(k) == expected.Point(k), qPrintable(QString::number(k)));
      QVERIFY2(NoteText(session.run.state.database.Note(k)) == NoteText(expected.Note(k)),
               qPrintable(QString::number(k)));
    }
  }

  void aBackupIsListedAndRestoredWithoutTouchingTheDevice() {
    Session session;
    TransferImage empty{};
    empty.fill(0xFF);
    QVERIFY(session.backups.Keep(empty, 5, BackupReason::BeforeWrite));
    session.run.Load();  // the download keeps one
    const TransferImage loaded = session.run.state.database.Image();
    const std::size_t points = formats::PointCount(session.run.state.database);
    QCOMPARE(session.backups.List().size(), std::size_t{2});
    session.run.state.database = UserDatabase();
    const int opens = session.run.port.OpenCount();
    QString listed;
    QStringList notes;
    session.dialogs.onBackups = [&](BackupListDialog& dialog) {
      listed = dialog.List().topLevelItem(0)->text(2);
      notes = {dialog.List().topLevelItem(0)->text(3), dialog.List().topLevelItem(1)->text(3)};
      return dialog.Chosen();
    };
    session.Trigger(menu::kRestoreBackup);
    QCOMPARE(listed, QString::number(points));
    QCOMPARE(notes, QStringList({QString(), QStringLiteral("before writing, empty device")}));
    QCOMPARE(session.run.state.database.Image(), loaded);
    QVERIFY(session.Loaded());
    QCOMPARE(session.run.port.OpenCount(), opens);
  }

  void withoutAMapProgramTheWindowOffersAnExport() {
    Session session;
    session.run.Load();
    session.run.answer = [](const MessageBoxRequest&) { return BoxAnswer::No; };
    session.Trigger(menu::kShowOnMap);
    QCOMPARE(session.dialogs.opened.size(), std::size_t{1});
    QCOMPARE(session.run.boxes.size(), std::size_t{1});
    QCOMPARE(session.run.boxes[0].caption, std::optional<std::string>("Show on map"));
    QVERIFY(session.dialogs.titles.empty());  // answered No: no export
  }

  // The whole of it from the window only: load, import a large list near home, look, write,
  // and the next day go back to what the device held before.
  void aDriverImportsALargeListWritesItAndLaterRestoresTheBackup() {
    QTemporaryDir folder;
    storage::BackupStore backups(std::filesystem::path(folder.path().toStdString()) / "backups");
    TransferImage before{};
    {
      WindowOnSimulator run(&backups);
      DrivenDialogs dialogs;
      run.window.SetFileDialogs(dialogs);
      run.Load();
      before = run.state.database.Image();
      std::string list = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n";
      for (int i = 0; i < 5000; ++i) {
        list += std::to_string(9.0 + 0.01 * (i % 100)) + "," + std::to_string(47.0 + 0.01 * (i / 100)) + ",0,80,0,0\n";
      }
      const std::filesystem::path file = std::filesystem::path(folder.path().toStdString()) / "europe.txt";
      std::ofstream(file) << list;
      dialogs.opens.push_back(menus::FileChoice{file, 0});
      dialogs.onImport = [](ImportDialog& dialog) {
        dialog.NearField().setText(QStringLiteral("47.25,9.5"));
        dialog.RadiusField().setText(QStringLiteral("30"));
        dialog.FitChoice().setCurrentIndex(2);  // first
        dialog.FitChoice().setCurrentIndex(1);  // nearest
        return dialog.ImportButton().isEnabled();
      };
      run.window.MenuAction(menu::kImportPoints)->trigger();
      QCOMPARE(formats::PointCount(run.state.database), std::size_t{256});
      run.Press(ids::kNextPage);
      QCOMPARE(run.TextOf(ids::kPageLabel), std::string("Page 1"));
      QVERIFY(!run.TextOf(ids::NoteField(0)).empty() || !run.TextOf(ids::SpeedField(0)).empty());

      run.Press(ids::kExitAndWrite);
      QCOMPARE(run.boxes.back().text, std::string("Update User Database successful"));
      QCOMPARE(run.device.UploadsApplied(), 1);
      const TransferImage written = run.state.database.Image();
      QVERIFY(std::equal(written.begin(), written.begin() + sim::kPointsBytes, run.device.Memory().image.begin()));
    }
    WindowOnSimulator later(&backups);
    DrivenDialogs dialogs;
    later.window.SetFileDialogs(dialogs);
    dialogs.onBackups = [](BackupListDialog& dialog) { return dialog.List().topLevelItemCount() - 1; };  // the oldest
    later.window.MenuAction(menu::kRestoreBackup)->trigger();
    QCOMPARE(later.state.database.Image(), before);
    QCOMPARE(later.TextOf(ids::kPageLabel), std::string("Page 0"));
  }

  void exitIsTheExitButton() {
    WindowOnSimulator run;
    QSignalSpy finished(&run.window, &QDialog::finished);
    run.window.MenuAction(menu::kExit)->trigger();
    QCOMPARE(finished.size(), 1);
  }
};

}  // namespace userdb

QTEST_MAIN(userdb::FileMenusTest)
#include "file_menus_test.moc"
