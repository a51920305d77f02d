// Backups from the command line: every download leaves one, every write is preceded by one, and
// restore puts one back.

#include "cli/backup_commands.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli_fixture.h"
#include "storage/backup_store.h"

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
  EXPECT_EQ(Backup(1), before);         // what the device held before the write
  EXPECT_EQ(Backup(0), DeviceImage());  // the read-back is a download too
  EXPECT_EQ(DeviceImage()[0], 0x11);
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
  EXPECT_EQ(text.find("No.  Date                 Serial number  Points  File\n"), 0u) << text;
  EXPECT_NE(text.find("  1  " + backups.List()[0].taken + "  -                  32  "), std::string::npos) << text;

  std::string error;
  const std::optional<std::filesystem::path> newest = ChooseBackup(backups, "", error);
  ASSERT_TRUE(newest.has_value());
  EXPECT_EQ(*newest, backups.List()[0].file);
  ASSERT_EQ(RunUpload(WithBackups(), Upload(*newest, formats::FileFormat::Image)), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(DeviceImage(), original);

  EXPECT_EQ(ChooseBackup(backups, "99", error), std::nullopt);
  EXPECT_NE(error.find("no backup 99"), std::string::npos) << error;
  EXPECT_EQ(ChooseBackup(backups, "some/file.bin", error), std::filesystem::path("some/file.bin"));
}

TEST_F(BackupCommandsTest, AnEmptyFolderIsSaidToBeEmpty) {
  std::ostringstream listing;
  EXPECT_EQ(ListBackups(backups, listing), exit_code::kSuccess);
  EXPECT_EQ(listing.str(), "No backups yet in " + (folder / "data" / "backups").string() + "\n");
  std::string error;
  EXPECT_EQ(ChooseBackup(backups, "1", error), std::nullopt);
  EXPECT_EQ(error, "there is no backup to restore yet");
}

}  // namespace
}  // namespace userdb::cli
