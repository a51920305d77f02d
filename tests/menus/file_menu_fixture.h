#pragma once
// The window's file commands on a headless window, with file dialogs that a test scripts and a
// data folder of the test's own.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/command_router.h"
#include "app/main_form.h"
#include "app/program_state.h"
#include "app/whole_database.h"
#include "menus/file_menu.h"
#include "platform/headless/headless_window.h"
#include "sim/in_process_port.h"
#include "storage/backup_store.h"
#include "storage/source_file.h"
#include "window/control_ids.h"

namespace userdb::menus {

class ScriptedDialogs final : public FileDialogs {
 public:
  std::optional<FileChoice> ChooseFileToOpen(std::string_view title, std::span<const FileKind> kinds) override {
    titles.emplace_back(title);
    offered.assign(kinds.begin(), kinds.end());
    return Next(opens);
  }
  std::optional<FileChoice> ChooseFileToSave(std::string_view title, std::span<const FileKind> kinds,
                                             const std::filesystem::path& proposed) override {
    titles.emplace_back(title);
    offered.assign(kinds.begin(), kinds.end());
    proposals.push_back(proposed);
    return Next(saves);
  }
  // Shows every setting the test lists in turn, as a user trying them would, and accepts the
  // last one unless the test cancels.
  std::optional<ImportSettings> ConfirmImport(const std::filesystem::path&, const ImportSettings& start,
                                              const PreviewOf& preview) override {
    previews.push_back(preview(start));
    ImportSettings last = start;
    for (const ImportSettings& settings : tried) {
      previews.push_back(preview(settings));
      last = settings;
    }
    if (cancelImport || !previews.back().canImport) return std::nullopt;
    return last;
  }
  std::optional<std::size_t> ChooseBackup(std::span<const BackupEntry> backups) override {
    listed.assign(backups.begin(), backups.end());
    return backupChosen;
  }
  bool OpenWithDesktop(const std::filesystem::path& file) override {
    opened.push_back(file);
    return desktopOpens;
  }

  std::deque<std::optional<FileChoice>> opens;
  std::deque<std::optional<FileChoice>> saves;
  std::vector<ImportSettings> tried;
  bool cancelImport = false;
  std::optional<std::size_t> backupChosen = 0;
  bool desktopOpens = true;

  std::vector<std::string> titles;
  std::vector<FileKind> offered;
  std::vector<std::filesystem::path> proposals;
  std::vector<ImportPreview> previews;
  std::vector<BackupEntry> listed;
  std::vector<std::filesystem::path> opened;

 private:
  static std::optional<FileChoice> Next(std::deque<std::optional<FileChoice>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<FileChoice> next = queue.front();
    queue.pop_front();
    return next;
  }
};

class FileMenuTest : public testing::Test {
 protected:
  FileMenuTest()
      : folder(std::filesystem::temp_directory_path() /
               ("userdb-files-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name())),
        port(clock),
        state(port),
        backups(folder / "backups"),
        sources(folder),
        router(state, window),
        context{state, window, dialogs} {
    state.backups = &backups;
    state.sources = &sources;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    InitialiseMainForm(state, window);
  }
  ~FileMenuTest() override { std::filesystem::remove_all(folder); }

  void Choose(int command) { ASSERT_TRUE(ChooseMenuItem(command, router, context)); }

  // As a download leaves it.
  void Load(const UserDatabase& database) {
    state.database = database;
    ShowWholeDatabase(state, window);
  }

  std::filesystem::path Write(const std::string& name, const std::string& contents) const {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

  // The kind the dialogs offered that holds this format, as a user picks it from the list.
  std::size_t KindOf(formats::FileFormat format) const {
    for (std::size_t i = 0; i < dialogs.offered.size(); ++i) {
      if (dialogs.offered[i].format == format) return i;
    }
    ADD_FAILURE() << "no kind offered for format " << static_cast<int>(format);
    return 0;
  }

  bool Loaded() const {
    return state.loaded && window.TextOf(ids::kPageLabel) == "Page 0" && window.IsEnabled(ids::kExitAndWrite);
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : window.Boxes()) texts.push_back(box.text);
    return texts;
  }

  std::filesystem::path folder;
  sim::VirtualClock clock;
  sim::InProcessPort port;
  ProgramState state;
  HeadlessWindow window;
  storage::BackupStore backups;
  storage::SourceFile sources;
  CommandRouter router;
  ScriptedDialogs dialogs;
  FileContext context;
};

}  // namespace userdb::menus
