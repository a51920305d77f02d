#include <algorithm>
#include <fstream>

#include "storage/journal_file.h"
#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

// The command line after a write that broke off: the device lost its points, and one command
// must bring back either the new list or the old points, while nothing else writes over it.
class UnfinishedWriteOverPty : public SimOnComPort {
 protected:
  static constexpr int kCom = 21;

  // Downloads the device, then tears an upload of a changed list after 20,000 image bytes.
  void TearAWrite() {
    StartSim(kCom, {"--save", InFolder("device.bin"), "--fault", "torn-write=20000"});
    Finished download = Userdb({"--port", "COM21", "download", "--output", InFolder("original.bin")});
    ASSERT_EQ(download.status, 0) << download.errors;
    original = FileBytes("original.bin");
    newList = original;
    newList[4096] = 'Z';
    Write("new.bin", newList);
    Finished upload = Userdb({"--port", "COM21", "upload", InFolder("new.bin"), "--yes"});
    ASSERT_EQ(upload.status, 1) << upload.errors;
    const std::vector<std::uint8_t> emptied = FileBytes("device.bin");
    ASSERT_TRUE(std::all_of(emptied.begin(), emptied.end(), [](std::uint8_t byte) { return byte == 0xFF; }));
    sim.reset();
    StartSim(kCom, {"--image", InFolder("device.bin"), "--save", InFolder("device.bin")});  // the next day
  }

  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(InFolder(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::vector<std::uint8_t> original;
  std::vector<std::uint8_t> newList;
};

constexpr const char* kResume = "userdb resume --port COM21";
constexpr const char* kRestoreBefore = "userdb restore --before-write --port COM21";

TEST_F(UnfinishedWriteOverPty, NothingWritesOverTheDeviceUntilTheUserChooses) {
  TearAWrite();
  const std::vector<std::uint8_t> emptied = FileBytes("device.bin");
  for (const std::vector<std::string>& write :
       {std::vector<std::string>{"--port", "COM21", "restore", "--yes"},
        std::vector<std::string>{"--port", "COM21", "upload", InFolder("original.bin"), "--yes"}}) {
    Finished refused = Userdb(write);
    EXPECT_EQ(refused.status, 5) << refused.errors;
    EXPECT_NE(refused.errors.find(kResume), std::string::npos) << refused.errors;
    EXPECT_NE(refused.errors.find(kRestoreBefore), std::string::npos) << refused.errors;
    EXPECT_EQ(FileBytes("device.bin"), emptied);
  }
  Finished read = Userdb({"--port", "COM21", "download", "--output", InFolder("empty.bin")});
  EXPECT_EQ(read.status, 0) << read.errors;  // reading is harmless, but the user is told
  EXPECT_NE(read.errors.find(kResume), std::string::npos) << read.errors;
}

TEST_F(UnfinishedWriteOverPty, ResumeWritesTheNewListAndTheRecordIsGone) {
  TearAWrite();
  Finished resume = Userdb({"--port", "COM21", "resume", "--yes"});
  ASSERT_EQ(resume.status, 0) << resume.errors;
  EXPECT_EQ(FileBytes("device.bin"), newList);
  EXPECT_FALSE(std::filesystem::exists(folder / "data" / storage::kJournalFileName));

  Finished info = Userdb({"--port", "COM21", "info"});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.errors.find("did not finish"), std::string::npos) << info.errors;
  Finished again = Userdb({"--port", "COM21", "resume", "--yes"});
  EXPECT_EQ(again.status, 0);
  EXPECT_NE(again.output.find("No write to the device on COM21 is unfinished"), std::string::npos);
}

TEST_F(UnfinishedWriteOverPty, RestoreBeforeWritePutsTheOldPointsBack) {
  TearAWrite();
  Finished restore = Userdb({"--port", "COM21", "restore", "--before-write", "--yes"});
  ASSERT_EQ(restore.status, 0) << restore.errors;
  EXPECT_EQ(FileBytes("device.bin"), original);
  EXPECT_FALSE(std::filesystem::exists(folder / "data" / storage::kJournalFileName));
}

TEST_F(UnfinishedWriteOverPty, ADeviceThatStoredTheWriteAfterAllIsSettledOnTheNextCommand) {
  StartSim(kCom);
  Finished download = Userdb({"--port", "COM21", "download", "--output", InFolder("device.bin")});
  ASSERT_EQ(download.status, 0) << download.errors;
  UnfinishedWrite confirmationLost{std::nullopt, "COM21", std::nullopt, {}};
  const std::vector<std::uint8_t> image = FileBytes("device.bin");
  std::copy(image.begin(), image.end(), confirmationLost.image.begin());
  ASSERT_TRUE(storage::JournalFile(folder / "data").Record(confirmationLost));

  Finished info = Userdb({"--port", "COM21", "info"});
  EXPECT_EQ(info.status, 0) << info.errors;
  EXPECT_NE(info.errors.find("It holds the 32 points that were written"), std::string::npos) << info.errors;
  EXPECT_FALSE(std::filesystem::exists(folder / "data" / storage::kJournalFileName));
}

}  // namespace
}  // namespace userdb::test
