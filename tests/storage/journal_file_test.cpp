#include "storage/journal_file.h"

#include <fstream>
#include <iterator>

#include "tests/storage/scratch_folder.h"

namespace userdb::storage {
namespace {

UnfinishedWrite SampleWrite() {
  UnfinishedWrite write{20110318, "COM7", std::filesystem::path("/data/backups/userdb-20261209-101500.bin"), {}};
  for (std::size_t k = 0; k < write.image.size(); ++k) write.image[k] = static_cast<std::uint8_t>(k * 7);
  return write;
}

class JournalFileTest : public ScratchFolderTest {
 protected:
  std::filesystem::path File() const { return folder / kJournalFileName; }
  std::string Bytes() const {
    std::ifstream file(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  void Rewrite(const std::string& bytes) const { std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes; }
  JournalFile journal{folder};
};

void ExpectSame(const UnfinishedWrite& read, const UnfinishedWrite& written) {
  EXPECT_EQ(read.serialNumber, written.serialNumber);
  EXPECT_EQ(read.port, written.port);
  EXPECT_EQ(read.backupBefore, written.backupBefore);
  EXPECT_TRUE(read.image == written.image);
}

TEST_F(JournalFileTest, ARecordReadsBackWholeUntilCleared) {
  EXPECT_FALSE(journal.Pending());
  ASSERT_TRUE(journal.Record(SampleWrite()));
  std::optional<UnfinishedWrite> pending = JournalFile(folder).Pending();  // as a later run finds it
  ASSERT_TRUE(pending);
  ExpectSame(*pending, SampleWrite());
  EXPECT_EQ(journal.PinnedBackups(), std::vector<std::filesystem::path>{*SampleWrite().backupBefore});

  UnfinishedWrite unknown = SampleWrite();  // a device that never told its number, with no backup
  unknown.serialNumber.reset();
  unknown.backupBefore.reset();
  unknown.port = "/dev/serial/by-id/usb-Some Adapter-if00";
  ASSERT_TRUE(journal.Record(unknown));
  pending = journal.Pending();
  ASSERT_TRUE(pending);
  ExpectSame(*pending, unknown);
  EXPECT_TRUE(journal.PinnedBackups().empty());

  journal.Clear();
  EXPECT_FALSE(journal.Pending());
  EXPECT_FALSE(std::filesystem::exists(File()));
  journal.Clear();  // twice is harmless
}

// The record names the backup in UTF-8, the same on every system, and finds it again by it.
TEST_F(JournalFileTest, ABackupNamedInAnyLanguageIsFoundAgain) {
  UnfinishedWrite write = SampleWrite();
  write.backupBefore = folder / "Łódź κάμερες" / "相機.bin";
  ASSERT_TRUE(journal.Record(write));
  EXPECT_NE(Bytes().find("\nbackup " + (folder / "Łódź κάμερες" / "相機.bin").string() + "\n"), std::string::npos);
  const std::optional<UnfinishedWrite> pending = JournalFile(folder).Pending();
  ASSERT_TRUE(pending);
  ExpectSame(*pending, write);
}

TEST_F(JournalFileTest, ADamagedOrForeignFileIsNoRecord) {
  ASSERT_TRUE(journal.Record(SampleWrite()));
  const std::string whole = Bytes();
  const std::size_t imageStart = whole.size() - kImageSize;

  std::string flipped = whole;
  flipped[imageStart + 1000] ^= 0x01;
  std::string badDigest = whole;
  badDigest[whole.find("digest ") + 7] = badDigest[whole.find("digest ") + 7] == '0' ? '1' : '0';
  std::string unknownField = whole;
  unknownField.replace(unknownField.find("port "), 5, "pert ");
  std::string badSerial = whole;
  badSerial.replace(badSerial.find("20110318"), 8, "2011031x");
  const std::vector<std::string> damaged = {
      whole.substr(0, whole.size() - 1),                                   // cut short
      whole + "x",                                                         // a byte too many
      flipped,                                                             // the image changed
      badDigest,                                                           // the digest changed
      unknownField,                                                        // a line that does not belong
      badSerial,                                                           // a serial number that is not one
      "userdb unfinished write 2\n",                                       // another version
      "",                                                                  // empty
      std::string(20000, 'a'),                                             // no line ends at all
      "userdb unfinished write 1\nport " + std::string(9000, 'p') + "\n",  // a header without end
  };
  for (const std::string& bytes : damaged) {
    Rewrite(bytes);
    EXPECT_FALSE(journal.Pending()) << bytes.substr(0, 60);
    EXPECT_TRUE(journal.PinnedBackups().empty());
  }
  Rewrite(whole);
  EXPECT_TRUE(journal.Pending());
}

TEST_F(JournalFileTest, WithoutAFolderNothingIsRecordedAndTheUserIsTold) {
  JournalFile nowhere(std::nullopt);
  const JournalResult result = nowhere.Record(SampleWrite());
  EXPECT_EQ(result.outcome, JournalOutcome::NoFolder);
  EXPECT_NE(result.message.find("USERDB_DATA_DIR"), std::string::npos);
  EXPECT_FALSE(nowhere.Pending());

  std::ofstream(folder / "file") << "a file where the folder should be";
  JournalFile blocked(folder / "file" / "data");
  EXPECT_EQ(blocked.Record(SampleWrite()).outcome, JournalOutcome::NotRecorded);
}

}  // namespace
}  // namespace userdb::storage
