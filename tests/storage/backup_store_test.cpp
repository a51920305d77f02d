#include "storage/backup_store.h"

#include <fstream>

#include "storage/backup_name.h"
#include "tests/storage/scratch_folder.h"

namespace userdb::storage {
namespace {

constexpr std::time_t kNoon = 1765281600;

TransferImage ImageWithPoints(std::size_t points, std::uint8_t mark = 0x11) {
  TransferImage image{};
  image.fill(0xFF);
  for (std::size_t k = 0; k < points; ++k) image[k * kRecordSize] = mark;
  return image;
}

class BackupStoreTest : public ScratchFolderTest {
 protected:
  std::filesystem::path backups() const { return folder / "data" / "backups"; }
  BackupStore Store() {
    return BackupStore(backups(), [this] { return now; });
  }
  std::time_t now = kNoon;
};

TEST_F(BackupStoreTest, EachCopyIsAWholeImageNamedByMomentAndSerialNumber) {
  BackupStore store = Store();
  const KeepResult kept = store.Keep(ImageWithPoints(3), 20110318, BackupReason::Download);
  ASSERT_EQ(kept.outcome, KeepOutcome::Kept) << kept.message;
  EXPECT_EQ(kept.file.parent_path(), backups());
  EXPECT_EQ(kept.file.filename(), NameFor(kNoon, 20110318).FileName());
  const std::vector<std::uint8_t> written = FileBytes(kept.file);
  const TransferImage image = ImageWithPoints(3);
  EXPECT_EQ(written, std::vector<std::uint8_t>(image.begin(), image.end()));

  now += 60;
  ASSERT_TRUE(store.Keep(ImageWithPoints(7), std::nullopt, BackupReason::Download));
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].points, 7u);  // newest first
  EXPECT_EQ(entries[0].serialNumber, std::nullopt);
  EXPECT_EQ(entries[0].taken, NameFor(kNoon + 60, std::nullopt).Moment());
  EXPECT_EQ(entries[1].points, 3u);
  EXPECT_EQ(entries[1].serialNumber, 20110318u);
}

TEST_F(BackupStoreTest, CopiesTakenInTheSameSecondAreAllKept) {
  BackupStore store = Store();
  for (std::uint8_t mark = 1; mark <= 3; ++mark)
    ASSERT_TRUE(store.Keep(ImageWithPoints(mark, mark), 5, BackupReason::Download));
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].points, 3u);
  EXPECT_EQ(entries[2].points, 1u);
  EXPECT_EQ(entries[0].file.filename(),
            "userdb-" + NameFor(kNoon, 5).date + "-" + NameFor(kNoon, 5).time + "-SN5-3.bin");
}

TEST_F(BackupStoreTest, OnlyTheNewestFiftyAreKeptAndOtherFilesAreLeftAlone) {
  std::filesystem::create_directories(backups());
  std::ofstream(backups() / "notes.txt") << "mine";
  std::ofstream(backups() / "userdb-20000101-000000.bin") << "not an image";  // a backup's name, a wrong size
  BackupStore store = Store();
  for (int i = 0; i < 55; ++i) {
    now += 1;
    ASSERT_TRUE(store.Keep(ImageWithPoints(static_cast<std::size_t>(i % 200)), 1, BackupReason::Download));
  }
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), kBackupsKept);
  EXPECT_EQ(entries.front().points, 54u);
  EXPECT_EQ(entries.back().points, 5u);  // the five oldest went
  EXPECT_TRUE(std::filesystem::exists(backups() / "notes.txt"));
  // The oddly sized file counted among the backups and, being the oldest, went first.
  EXPECT_FALSE(std::filesystem::exists(backups() / "userdb-20000101-000000.bin"));
  EXPECT_EQ(FilesIn(backups()), kBackupsKept + 1);
}

TEST_F(BackupStoreTest, AFolderThatCannotBeMadeIsNamedInTheAnswer) {
  std::filesystem::create_directories(folder / "data");
  std::ofstream(backups()) << "a file where the folder should be";
  BackupStore store = Store();
  const KeepResult problem = store.Keep(ImageWithPoints(1), 1, BackupReason::Download);
  ASSERT_EQ(problem.outcome, KeepOutcome::NotSaved);
  EXPECT_NE(problem.message.find(backups().string()), std::string::npos) << problem.message;
  EXPECT_TRUE(problem.file.empty());
  EXPECT_TRUE(store.List().empty());

  BackupStore nowhere(std::nullopt);
  ASSERT_EQ(nowhere.Keep(ImageWithPoints(1), 1, BackupReason::Download).outcome, KeepOutcome::NoFolder);
  EXPECT_NE(nowhere.Keep(ImageWithPoints(1), 1, BackupReason::Download).message.find("USERDB_DATA_DIR"),
            std::string::npos);
}

TEST_F(BackupStoreTest, OnlyFilesOfExactlyOneImageLoad) {
  const BackupStore store = Store();
  const TransferImage image = ImageWithPoints(9);
  std::ofstream(folder / "good.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  const ImageLoadResult good = store.Load(folder / "good.bin");
  ASSERT_EQ(good.outcome, ImageLoadOutcome::Loaded) << good.message;
  EXPECT_EQ(good.image, image);
  std::ofstream(folder / "short.bin") << "abc";
  const ImageLoadResult shorter = store.Load(folder / "short.bin");
  EXPECT_EQ(shorter.outcome, ImageLoadOutcome::NotAnImage);
  EXPECT_NE(shorter.message.find("3 bytes"), std::string::npos) << shorter.message;
  const ImageLoadResult missing = store.Load(folder / "missing.bin");
  EXPECT_EQ(missing.outcome, ImageLoadOutcome::CannotRead);
  EXPECT_NE(missing.message.find("cannot read"), std::string::npos) << missing.message;
}

}  // namespace
}  // namespace userdb::storage
