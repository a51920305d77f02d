// Backups from the command line: every download leaves one, every write is preceded by one, and
// restore puts one back.

#include "cli/backup_commands.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli_fixture.h"
#include "storage/backup_store.h"
#include "storage/journal_file.h"

namespace userdb::cli {
namespace {

class BackupCommandsTest : public CliFixture {
 protected:
  CommandContext WithBackups() {
    CommandContext context = Context();
    context.state.backups = &backups;
    return context;
  }
  std::filesystem::path ImageFile(std::uint8_t mark) {
    std::vector<std::uint8_t> image(kImageSize, 0xFF);
    std::fill(image.begin(), image.begin() + 8, 0x00);  // one point, at E 0 N 0 and a bit
    image[0] = mark;
    const std::filesystem::path file = folder / ("image" + std::to_string(mark) + ".bin");
    WriteText(file, std::string(image.begin(), image.end()));
    return file;
  }
  std::vector<std::uint8_t> Backup(std::size_t newest) const { return FileBytes(backups.List().at(newest).file); }
  // A device that held this many points, near E 0 N 0 as ImageFile's.
  static TransferImage Holding(std::size_t points) {
    TransferImage image{};
    image.fill(0xFF);
    for (std::size_t k = 0; k < points; ++k) {
      std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize), 8, 0x00);
      image[k * kRecordSize] = static_cast<std::uint8_t>(k + 1);
    }
    return image;
  }

  storage::BackupStore backups{folder / "data" / "backups"};
};

TEST_F(BackupCommandsTest, ADownloadLeavesACopyOfTheDeviceAndSaysWhere) {
  ASSERT_EQ(RunDownload(WithBackups(), {folder / "out.csv", formats::FileFormat::Csv}), exit_code::kSuccess);
  ASSERT_EQ(backups.List().size(), 1u);
  EXPECT_EQ(Backup(0), DeviceImage());
  EXPECT_NE(output.str().find("Kept a copy of the device in " + backups.List()[0].file.string()), std::string::npos)
      << output.str();
}

TEST_F(BackupCommandsTest, AnUploadReadsTheDeviceIntoABackupBeforeItWrites) {
  const std::vector<std::uint8_t> before = DeviceImage();
  ASSERT_EQ(RunUpload(WithBackups(), Upload(ImageFile(0x11), formats::FileFormat::Image)), exit_code::kSuccess)
      << errors.str();
  EXPECT_EQ(port.OpenCount(), 3);  // backup, write, read back
  ASSERT_EQ(backups.List().size(), 2u);
  EXPECT_EQ(Backup(1), before);  // what the device held before the write
  EXPECT_TRUE(backups.List()[1].beforeWrite);
  EXPECT_EQ(Backup(0), DeviceImage());  // the read-back is a download too
  EXPECT_FALSE(backups.List()[0].beforeWrite);
  EXPECT_EQ(DeviceImage()[0], 0x11);
}

// The user may take a while to confirm; the copy from before is kept once all the same, so the
// file the command named is the one the record of the write goes back to.
TEST_F(BackupCommandsTest, AWriteKeepsOneBackupFromBeforeAndItsRecordNamesTheFileTold) {
  std::time_t now = 1300000000;
  storage::BackupStore slowBackups(folder / "data" / "backups", [&now] { return now += 5; });
  storage::JournalFile journal(folder / "data");
  slowBackups.SetPinned([&journal] { return journal.PinnedBackups(); });
  CommandContext context = Context();
  context.state.backups = &slowBackups;
  context.state.journal = &journal;
  const std::vector<std::uint8_t> before = DeviceImage();

  // Unverified, so that the record stays to be read.
  ASSERT_EQ(RunUpload(context, Upload(ImageFile(0x16), formats::FileFormat::Image, false)), exit_code::kSuccess)
      << errors.str();
  const std::vector<BackupEntry> kept = slowBackups.List();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_TRUE(kept[0].beforeWrite);
  EXPECT_EQ(FileBytes(kept[0].file), before);
  EXPECT_EQ(output.str(), "Kept a copy of the device in " + kept[0].file.string() + "\n");
  const std::optional<UnfinishedWrite> record = journal.Pending();
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->backupBefore, kept[0].file);
}

TEST_F(BackupCommandsTest, NoBackupWritesStraightAway) {
  UploadRequest request = Upload(ImageFile(0x12), formats::FileFormat::Image, false);
  request.steps.backupFirst = false;
  ASSERT_EQ(RunUpload(WithBackups(), request), exit_code::kSuccess);
  EXPECT_EQ(port.OpenCount(), 1);
  EXPECT_TRUE(backups.List().empty());
}

TEST_F(BackupCommandsTest, ADeviceThatCannotBeReadIsNotWritten) {
  const std::vector<std::uint8_t> before = DeviceImage();
  device.Faults().hangUpAfter = sim::PhaseCount{sim::Phase::Records, 100};
  EXPECT_EQ(RunUpload(WithBackups(), Upload(ImageFile(0x13), formats::FileFormat::Image)), exit_code::kDeviceFailure);
  EXPECT_EQ(DeviceImage(), before);
  EXPECT_EQ(port.OpenCount(), 1);
  EXPECT_EQ(errors.str(),
            "userdb: User database download failed, please try again\n"
            "userdb: the device could not be read for a backup; nothing was written\n");
}

TEST_F(BackupCommandsTest, ABackupThatCannotBeSavedStopsTheWrite) {
  std::filesystem::create_directories(folder / "data");
  WriteText(folder / "data" / "backups", "a file where the folder should be");
  const std::vector<std::uint8_t> before = DeviceImage();
  EXPECT_EQ(RunUpload(WithBackups(), Upload(ImageFile(0x14), formats::FileFormat::Image)), exit_code::kFileProblem);
  EXPECT_EQ(DeviceImage(), before);
  EXPECT_NE(errors.str().find("No backup of the device could be saved in " + (folder / "data" / "backups").string()),
            std::string::npos)
      << errors.str();
  EXPECT_NE(errors.str().find("nothing was written (--no-backup writes without a backup)"), std::string::npos);

  // A download still counts: the copy is only told as missing.
  errors.str("");
  EXPECT_EQ(RunDownload(WithBackups(), {folder / "out.bin", formats::FileFormat::Image}), exit_code::kSuccess);
  EXPECT_NE(errors.str().find("No backup of the device could be saved"), std::string::npos);
}

TEST_F(BackupCommandsTest, BackupsAreListedNewestFirstAndRestoredByNumber) {
  const std::vector<std::uint8_t> original = DeviceImage();
  ASSERT_EQ(RunDownload(WithBackups(), {folder / "out.bin", formats::FileFormat::Image}), exit_code::kSuccess);
  UploadRequest overwrite = Upload(ImageFile(0x15), formats::FileFormat::Image, false);
  overwrite.steps.backupFirst = false;
  ASSERT_EQ(RunUpload(WithBackups(), overwrite), exit_code::kSuccess);
  ASSERT_NE(DeviceImage(), original);

  std::ostringstream listing;
  EXPECT_EQ(ListBackups(backups, listing), exit_code::kSuccess);
  const std::string text = listing.str();
  EXPECT_EQ(text.find("No.  Date                 Serial number  Points  Note                          File\n"), 0u)
      << text;
  EXPECT_NE(text.find("  1  " + backups.List()[0].taken + "  -                  32  " + std::string(30, ' ') +
                      backups.List()[0].file.string() + "\n"),
            std::string::npos)
      << text;

  std::ostringstream told;
  const std::optional<std::filesystem::path> newest = ChooseBackup(backups, "", told);
  ASSERT_TRUE(newest.has_value());
  EXPECT_EQ(*newest, backups.List()[0].file);
  ASSERT_EQ(RunUpload(WithBackups(), Upload(*newest, formats::FileFormat::Image)), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(DeviceImage(), original);

  told.str("");
  EXPECT_EQ(ChooseBackup(backups, "99", told), std::nullopt);
  EXPECT_NE(told.str().find("no backup 99"), std::string::npos) << told.str();
  told.str("");
  EXPECT_EQ(ChooseBackup(backups, "some/file.bin", told), std::filesystem::path("some/file.bin"));
  EXPECT_EQ(told.str(), "");
}

TEST_F(BackupCommandsTest, AnEmptyFolderIsSaidToBeEmpty) {
  std::ostringstream listing;
  EXPECT_EQ(ListBackups(backups, listing), exit_code::kSuccess);
  EXPECT_EQ(listing.str(), "No backups yet in " + (folder / "data" / "backups").string() + "\n");
  for (const char* which : {"1", ""}) {
    std::ostringstream told;
    EXPECT_EQ(ChooseBackup(backups, which, told), std::nullopt);
    EXPECT_EQ(told.str(), "userdb: there is no backup to restore yet\n");
  }
}

// A write that broke off can leave the device empty; the download after it is then the newest.
TEST_F(BackupCommandsTest, TheListingNotesCopiesTakenBeforeWritingAndCopiesOfAnEmptyDevice) {
  ASSERT_TRUE(backups.Keep(Holding(60), 20110318, BackupReason::BeforeWrite));
  ASSERT_TRUE(backups.Keep(Holding(0), 20110318, BackupReason::Download));
  ASSERT_TRUE(backups.Keep(Holding(0), 7, BackupReason::BeforeWrite));
  ASSERT_TRUE(backups.Keep(Holding(3), std::nullopt, BackupReason::Download));
  std::ostringstream listing;
  ASSERT_EQ(ListBackups(backups, listing), exit_code::kSuccess);
  std::istringstream lines(listing.str());
  std::vector<std::string> notes;
  for (std::string line; std::getline(lines, line);) notes.push_back(line.substr(49, 30));
  EXPECT_EQ(notes, (std::vector<std::string>{"Note                          ", "                              ",
                                             "before writing, empty device  ", "empty device                  ",
                                             "before writing                "}))
      << listing.str();
}

TEST_F(BackupCommandsTest, RestoreWithoutANumberTakesTheNewestCopyThatHoldsPointsAndSaysWhich) {
  ASSERT_TRUE(backups.Keep(Holding(60), 20110318, BackupReason::BeforeWrite));
  ASSERT_TRUE(backups.Keep(Holding(0), 20110318, BackupReason::Download));
  ASSERT_TRUE(backups.Keep(Holding(0), 7, BackupReason::Download));
  const std::vector<BackupEntry> entries = backups.List();
  ASSERT_EQ(entries.size(), 3u);

  std::ostringstream told;
  EXPECT_EQ(ChooseBackup(backups, "", told), entries[2].file);
  EXPECT_EQ(told.str(), "userdb: restoring backup 3, taken " + entries[2].taken + " (SN 20110318, 60 points)\n");

  // Asked for by number, the empty one is what is asked for, without a word.
  told.str("");
  EXPECT_EQ(ChooseBackup(backups, "1", told), entries[0].file);
  EXPECT_EQ(told.str(), "");

  // Restored through the device, the points come back.
  ASSERT_EQ(RunUpload(WithBackups(), Upload(*ChooseBackup(backups, "", told), formats::FileFormat::Image)),
            exit_code::kSuccess)
      << errors.str();
  const TransferImage restored = Holding(60);
  EXPECT_EQ(DeviceImage(), std::vector<std::uint8_t>(restored.begin(), restored.end()));
}

TEST_F(BackupCommandsTest, WhenEveryCopyIsOfAnEmptyDeviceRestoreTakesTheNewestAndSaysSo) {
  ASSERT_TRUE(backups.Keep(Holding(0), 5, BackupReason::Download));
  ASSERT_TRUE(backups.Keep(Holding(0), std::nullopt, BackupReason::Download));
  std::ostringstream told;
  EXPECT_EQ(ChooseBackup(backups, "", told), backups.List()[0].file);
  EXPECT_EQ(told.str(), "userdb: every backup is of an empty device\nuserdb: restoring backup 1, taken " +
                            backups.List()[0].taken + " (0 points)\n");
}

}  // namespace
}  // namespace userdb::cli
