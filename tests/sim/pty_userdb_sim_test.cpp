// The real userdb-sim on a pseudo-terminal, talked to with plain POSIX calls as the program would.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>
#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sim/device_memory.h"
#include "sim/sample_memory.h"
#include "tests/sim/pty_sim_process.h"

namespace userdb::sim::test {
namespace {

namespace fs = std::filesystem;

constexpr milliseconds kStartLimit{5000};
constexpr milliseconds kAnswerLimit{1000};

const ByteVector kBanner = Text("Quillborne Tech. Co.\r\n");

class UserdbSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "userdb-sim-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    simulator.reset();
    fs::remove_all(folder);
  }

  // Starts the simulator on com9; the slave path it printed.
  std::string Start(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"--print-path", "--com", "9", "--erase-delay", "0"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    simulator = std::make_unique<SimProcess>(arguments, folder.string());
    EXPECT_TRUE(simulator->Started());
    return simulator->NextLine(kStartLimit).value_or("");
  }
  fs::path ComEntry() const { return folder / "com9"; }

  // Opens com9, takes the banner and does the handshake; the open line, or -1.
  int OpenInUpdateMode() {
    const int fd = OpenLine(ComEntry().string());
    EXPECT_GE(fd, 0);
    EXPECT_EQ(ReadLine(fd, 23, kAnswerLimit), kBanner);
    EXPECT_TRUE(WriteLine(fd, kRequest));
    EXPECT_EQ(ReadLine(fd, 10, kAnswerLimit), Text("KT GPS+BT"));
    return fd;
  }

  fs::path folder;
  std::unique_ptr<SimProcess> simulator;
};

TEST_F(UserdbSimTest, HandshakeAndDeviceInformationOverTheComEntry) {
  const std::string slavePath = Start();
  ASSERT_TRUE(slavePath.starts_with("/dev/pts/")) << slavePath;
  EXPECT_EQ(fs::read_symlink(ComEntry()), slavePath);

  const int fd = OpenInUpdateMode();
  ASSERT_TRUE(WriteLine(fd, kReadInfo));
  const ByteVector info = ReadLine(fd, 72 + 16 + 15, kAnswerLimit);
  ASSERT_EQ(info.size(), 103u);
  const DeviceMemory sample = SampleMemory();
  EXPECT_TRUE(std::equal(sample.info.begin(), sample.info.end(), info.begin()));
  EXPECT_EQ(ByteVector(info.end() - 15, info.end()), Text("KT Update Over"));
  EXPECT_TRUE(WriteLine(fd, kExit));
  close(fd);
}

TEST_F(UserdbSimTest, EveryOpenGetsTheBannerEvenRightAfterAClose) {
  Start();
  for (int round = 0; round < 3; ++round) {
    const int fd = OpenLine(ComEntry().string());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ReadLine(fd, 23, kAnswerLimit), kBanner) << round;
    close(fd);
  }
}

TEST_F(UserdbSimTest, WholeDownloadArrivesUnchanged) {
  Start();
  const int fd = OpenInUpdateMode();
  ASSERT_TRUE(WriteLine(fd, kReadRecords));
  const ByteVector records = ReadLine(fd, 4112, kAnswerLimit);
  ASSERT_TRUE(WriteLine(fd, kReadNotes));
  const ByteVector notes = ReadLine(fd, 32768, kAnswerLimit);
  WriteLine(fd, kExit);
  close(fd);

  const DeviceMemory sample = SampleMemory();
  ASSERT_EQ(records.size(), 4112u);
  ASSERT_EQ(notes.size(), 32768u);
  EXPECT_EQ(records[4], kUnitKilometer);
  EXPECT_TRUE(std::equal(records.begin() + 16, records.end(), sample.image.begin()));
  EXPECT_TRUE(std::equal(notes.begin(), notes.end(), sample.image.begin() + 4096));
}

TEST_F(UserdbSimTest, AcceptedUploadIsSavedAndServedFromTheImageNextTime) {
  const fs::path saved = folder / "device.img";
  Start({"--save", saved.string()});
  const int fd = OpenInUpdateMode();
  ByteVector image(kFlashImageSize, 0xFF);
  image[0] = 0x12;
  image[36863] = 0x34;
  ASSERT_TRUE(WriteLine(fd, WriteDatabaseFrame(kFlashImageSize, XorChecksum(image))));
  for (std::size_t offset = 0; offset < image.size(); offset += 64) {
    ASSERT_TRUE(WriteLine(fd, ByteVector(image.begin() + offset, image.begin() + offset + 64)));
  }
  EXPECT_EQ(ReadLine(fd, 30, kAnswerLimit), Concat({Text("Checksum    OK"), Text("KT Update Over")}));
  WriteLine(fd, kExit);
  close(fd);
  ASSERT_EQ(simulator->Stop(SIGTERM, kAnswerLimit), 0);

  std::ifstream file(saved, std::ios::binary);
  const ByteVector savedBytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(savedBytes, image);

  Start({"--image", saved.string(), "--unit", "mile"});
  const int again = OpenInUpdateMode();
  ASSERT_TRUE(WriteLine(again, kReadRecords));
  const ByteVector records = ReadLine(again, 4112, kAnswerLimit);
  close(again);
  ASSERT_EQ(records.size(), 4112u);
  EXPECT_EQ(records[4], kUnitMile);
  EXPECT_EQ(records[16], 0x12);
}

TEST_F(UserdbSimTest, AWriteThatBreaksOffLeavesAnEmptyDeviceForTheNextRunToo) {
  const fs::path saved = folder / "device.img";
  Start({"--save", saved.string(), "--fault", "torn-write=640"});
  const int fd = OpenInUpdateMode();
  const ByteVector image(kFlashImageSize, 0x5A);
  ASSERT_TRUE(WriteLine(fd, WriteDatabaseFrame(kFlashImageSize, XorChecksum(image))));
  for (std::size_t offset = 0; offset < 640; offset += 64) {
    ASSERT_TRUE(WriteLine(fd, ByteVector(image.begin() + offset, image.begin() + offset + 64)));
  }
  EXPECT_TRUE(ReadLine(fd, 1, kAnswerLimit).empty());  // no verdict: the line is gone
  EXPECT_TRUE(LineHungUp(fd));
  close(fd);
  ASSERT_EQ(simulator->Stop(SIGTERM, kAnswerLimit), 0);

  std::ifstream file(saved, std::ios::binary);
  const ByteVector savedBytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(savedBytes, ByteVector(kFlashImageSize, 0xFF));

  Start({"--image", saved.string()});
  const int again = OpenInUpdateMode();
  ASSERT_TRUE(WriteLine(again, kReadRecords));
  const ByteVector records = ReadLine(again, 4112, kAnswerLimit);
  close(again);
  ASSERT_EQ(records.size(), 4112u);
  EXPECT_TRUE(std::all_of(records.begin() + 16, records.end(), [](std::uint8_t byte) { return byte == 0xFF; }));
}

TEST_F(UserdbSimTest, HangUpEndsTheLineAndANewOneTakesItsPlace) {
  const std::string first = Start({"--fault", "hangup=handshake:4"});
  const int fd = OpenLine(ComEntry().string());
  ASSERT_GE(fd, 0);
  EXPECT_EQ(ReadLine(fd, 23, kAnswerLimit), kBanner);
  ASSERT_TRUE(WriteLine(fd, kRequest));
  EXPECT_EQ(ReadLine(fd, 10, kAnswerLimit), ByteVector({'K', 'T', ' ', 'G'}));
  EXPECT_TRUE(LineHungUp(fd));
  close(fd);

  const std::optional<std::string> second = simulator->NextLine(kAnswerLimit);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(fs::read_symlink(ComEntry()), *second);
  const int reopened = OpenLine(ComEntry().string());
  ASSERT_GE(reopened, 0);
  EXPECT_EQ(ReadLine(reopened, 23, kAnswerLimit), kBanner);
  close(reopened);
}

TEST_F(UserdbSimTest, PacedLineTakesItsTimeAt115200Baud) {
  Start({"--paced"});
  const int fd = OpenInUpdateMode();
  ASSERT_TRUE(WriteLine(fd, kReadRecords));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadLine(fd, 4112, milliseconds(3000)).size(), 4112u);
  const auto took = std::chrono::steady_clock::now() - start;
  close(fd);
  // 4112 bytes of 10 bits each: 357 ms on the line.
  EXPECT_GE(took, milliseconds(340));
  EXPECT_LT(took, milliseconds(2000));
}

TEST_F(UserdbSimTest, StopSignalRemovesTheComEntry) {
  Start();
  ASSERT_TRUE(fs::is_symlink(ComEntry()));
  EXPECT_EQ(simulator->Stop(SIGINT, kAnswerLimit), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(ComEntry())));
}

TEST_F(UserdbSimTest, HelpAndBadOptions) {
  SimProcess help({"--help"}, folder.string());
  const std::optional<std::string> firstLine = help.NextLine(kStartLimit);
  ASSERT_TRUE(firstLine.has_value());
  EXPECT_TRUE(firstLine->starts_with("Usage: userdb-sim"));
  EXPECT_EQ(help.WaitForExit(kStartLimit), 0);

  SimProcess bad({"--fault", "sideways"}, folder.string());
  EXPECT_EQ(bad.WaitForExit(kStartLimit), 2);
}

}  // namespace
}  // namespace userdb::sim::test
