#include "storage/backup_store.h"

#include <chrono>
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

TEST_F(BackupStoreTest, ACopyEqualToTheNewestOfItsDeviceMakesNoNewFileButMovesToTheMoment) {
  BackupStore store = Store();
  KeepResult kept;
  for (int i = 0; i < 60; ++i) {
    now += 60;
    kept = store.Keep(ImageWithPoints(4), 7, BackupReason::Download);
    ASSERT_TRUE(kept) << kept.message;
  }
  EXPECT_EQ(FilesIn(backups()), 1u);
  EXPECT_EQ(kept.file, backups() / NameFor(now, 7).FileName());
  EXPECT_EQ(std::chrono::file_clock::to_sys(std::filesystem::last_write_time(kept.file)),
            std::chrono::system_clock::from_time_t(now));
  EXPECT_EQ(FileBytes(kept.file).size(), kImageSize);

  // Another device, or one that told no serial number, is not the same device; nor is a copy
  // equal to an older one of the same device the same as its newest.
  ASSERT_TRUE(store.Keep(ImageWithPoints(4), std::nullopt, BackupReason::Download));
  ASSERT_TRUE(store.Keep(ImageWithPoints(4), 8, BackupReason::Download));
  now += 1;
  ASSERT_TRUE(store.Keep(ImageWithPoints(5), 7, BackupReason::Download));
  now += 1;
  ASSERT_TRUE(store.Keep(ImageWithPoints(4), 7, BackupReason::Download));
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].points, 4u);
  EXPECT_EQ(entries[0].serialNumber, 7u);
  EXPECT_EQ(entries[1].points, 5u);
}

TEST_F(BackupStoreTest, WithinASecondTheNamesKeepTheOrderTakenWhateverTheDevice) {
  BackupStore store = Store();
  ASSERT_TRUE(store.Keep(ImageWithPoints(1), 7, BackupReason::Download));
  ASSERT_TRUE(store.Keep(ImageWithPoints(2), 8, BackupReason::Download));
  ASSERT_TRUE(store.Keep(ImageWithPoints(3), 7, BackupReason::Download));
  const KeepResult again = store.Keep(ImageWithPoints(3), 7, BackupReason::Download);
  ASSERT_TRUE(again);
  EXPECT_EQ(again.file.filename(), "userdb-" + NameFor(kNoon, 7).date + "-" + NameFor(kNoon, 7).time + "-SN7-3.bin");
  const KeepResult before = store.Keep(ImageWithPoints(2), 8, BackupReason::BeforeWrite);  // seen again, last
  ASSERT_TRUE(before);
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].file, before.file);
  EXPECT_EQ(entries[0].file.filename(),
            "userdb-" + NameFor(kNoon, 8).date + "-" + NameFor(kNoon, 8).time + "-SN8-4-before-write.bin");
  EXPECT_EQ(entries[1].points, 3u);
  EXPECT_EQ(entries[2].points, 1u);
}

TEST_F(BackupStoreTest, ABeforeWriteCopyIsMarkedInItsNameAndAnEqualOneGetsTheMark) {
  BackupStore store = Store();
  const KeepResult plain = store.Keep(ImageWithPoints(6), 7, BackupReason::Download);
  ASSERT_TRUE(plain);
  now += 5;
  const KeepResult marked = store.Keep(ImageWithPoints(6), 7, BackupReason::BeforeWrite);
  ASSERT_TRUE(marked) << marked.message;
  EXPECT_FALSE(std::filesystem::exists(plain.file));
  BackupName expected = NameFor(now, 7);
  expected.beforeWrite = true;
  EXPECT_EQ(marked.file.filename(), expected.FileName());
  EXPECT_EQ(FileBytes(marked.file).size(), kImageSize);

  // A later download of the same keeps the mark; a write of something new is a new marked file.
  now += 5;
  const KeepResult downloaded = store.Keep(ImageWithPoints(6), 7, BackupReason::Download);
  ASSERT_TRUE(downloaded);
  EXPECT_TRUE(ParseBackupName(downloaded.file.filename().string())->beforeWrite) << downloaded.file;
  ASSERT_TRUE(store.Keep(ImageWithPoints(2), 7, BackupReason::BeforeWrite));
  ASSERT_TRUE(store.Keep(ImageWithPoints(3), 7, BackupReason::Download));
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_FALSE(entries[0].beforeWrite);
  EXPECT_TRUE(entries[1].beforeWrite);
  EXPECT_EQ(entries[1].points, 2u);
  EXPECT_TRUE(entries[2].beforeWrite);
  EXPECT_EQ(entries[2].points, 6u);
}

TEST_F(BackupStoreTest, RetentionSparesTheNewestBeforeWriteCopyOfEachDeviceAndPinnedFiles) {
  BackupStore store = Store();
  const KeepResult olderWrite = store.Keep(ImageWithPoints(1), 1, BackupReason::BeforeWrite);
  now += 1;
  const KeepResult lastWrite = store.Keep(ImageWithPoints(2), 1, BackupReason::BeforeWrite);
  const KeepResult otherDevice = store.Keep(ImageWithPoints(3), 2, BackupReason::BeforeWrite);
  const KeepResult pinnedCopy = store.Keep(ImageWithPoints(4), 3, BackupReason::Download);
  const KeepResult unpinned = store.Keep(ImageWithPoints(5), 4, BackupReason::Download);
  for (const KeepResult* kept : {&olderWrite, &lastWrite, &otherDevice, &pinnedCopy, &unpinned}) ASSERT_TRUE(*kept);
  int asked = 0;
  store.SetPinned([&] {
    ++asked;
    return std::vector<std::filesystem::path>{pinnedCopy.file, backups() / "gone.bin"};
  });

  for (std::size_t i = 0; i < 60; ++i) {
    now += 1;
    const std::optional<std::uint32_t> device = i % 3 == 0 ? std::optional<std::uint32_t>(1) : std::nullopt;
    ASSERT_TRUE(store.Keep(ImageWithPoints(10 + i), device, BackupReason::Download));
  }
  EXPECT_GE(asked, 60);
  EXPECT_TRUE(std::filesystem::exists(lastWrite.file));
  EXPECT_TRUE(std::filesystem::exists(otherDevice.file));
  EXPECT_TRUE(std::filesystem::exists(pinnedCopy.file));
  EXPECT_FALSE(std::filesystem::exists(olderWrite.file)) << "only the newest before a write is spared";
  EXPECT_FALSE(std::filesystem::exists(unpinned.file));
  const std::vector<BackupEntry> entries = store.List();
  ASSERT_EQ(entries.size(), kBackupsKept + 3);
  EXPECT_EQ(entries.back().file, lastWrite.file);  // the spared stay in their place, oldest last
  EXPECT_TRUE(entries.back().beforeWrite);
}

TEST_F(BackupStoreTest, APinnedCopyKeepsItsNameWhenTheSameIsKeptAgain) {
  BackupStore store = Store();
  const KeepResult pinned = store.Keep(ImageWithPoints(8), 9, BackupReason::BeforeWrite);
  ASSERT_TRUE(pinned);
  store.SetPinned([&] { return std::vector<std::filesystem::path>{pinned.file}; });
  now += 10;
  const KeepResult again = store.Keep(ImageWithPoints(8), 9, BackupReason::Download);
  ASSERT_TRUE(again);
  EXPECT_NE(again.file, pinned.file);
  EXPECT_TRUE(std::filesystem::exists(pinned.file));
  EXPECT_EQ(FilesIn(backups()), 2u);
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
