#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>

#include "app/command_router.h"
#include "app/main_form.h"
#include "app/upload_command.h"
#include "platform/headless/headless_window.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "storage/user_files.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

constexpr int kDevicePort = 2;  // COM2, selected at start
constexpr std::size_t kWriteAgain = 0;
constexpr std::size_t kRestoreBefore = 1;
constexpr std::size_t kNotNow = 2;

std::filesystem::path ScratchFolder() {
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("userdb-app-" + std::to_string(::getpid()) + "-" + test);
  std::filesystem::remove_all(folder);
  return folder;
}

TransferImage ImageOf(const sim::DeviceSimulator& device) {
  TransferImage image{};
  std::copy(device.Memory().image.begin(), device.Memory().image.end(), image.begin());
  return image;
}

bool IsErased(const TransferImage& image) {
  return std::all_of(image.begin(), image.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

// A window on a simulated device with its own data folder: a write to the device is torn after
// 20,000 image bytes, and the next connect is to put it right.
class UnfinishedWriteTest : public ::testing::Test {
 protected:
  UnfinishedWriteTest() : state(port), router(state, window) {
    port.Attach(kDevicePort, device);
    InitialiseMainForm(state, window);
    files.ServeTo(state);
    window.SetChoiceHandler([this](const ChoiceRequest& request) {
      offered.push_back(request);
      return choice;
    });
  }
  ~UnfinishedWriteTest() override { std::filesystem::remove_all(folder); }

  void Load() {
    router.Click(ids::kOpenPort);
    router.Click(ids::kLoadDatabase);
  }

  // Loads the device, then writes a new list over it, and the write breaks off.
  void TearAWrite() {
    Load();
    original = ImageOf(device);
    newList = original;
    newList[kRecordsBytes] = 'Z';  // note 0's first letter
    newList[3 * kRecordSize] ^= 0x01;
    state.database.SetImage(newList);
    device.Faults().tornWriteAfter = 20000;
    router.Click(ids::kExitAndWrite);
    device.Faults().tornWriteAfter.reset();
    ASSERT_FALSE(window.IsClosed());
    ASSERT_TRUE(IsErased(ImageOf(device)));
    ASSERT_TRUE(files.journal.Pending());
  }

  std::filesystem::path folder = ScratchFolder();
  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port{clock};
  storage::UserFiles files{folder};
  ProgramState state;
  HeadlessWindow window;
  CommandRouter router;
  std::vector<ChoiceRequest> offered;
  std::size_t choice = kNotNow;
  TransferImage original{};
  TransferImage newList{};
};

TEST_F(UnfinishedWriteTest, ATornWriteIsRecordedWithTheBackupFromBefore) {
  TearAWrite();
  const std::optional<UnfinishedWrite> pending = files.journal.Pending();
  EXPECT_TRUE(pending->image == newList);
  EXPECT_EQ(pending->port, "COM2");
  EXPECT_EQ(pending->serialNumber, 20110318u);
  ASSERT_TRUE(pending->backupBefore);
  const ImageLoadResult before = files.backups.Load(*pending->backupBefore);
  ASSERT_TRUE(before);
  EXPECT_TRUE(before.image == original);
}

TEST_F(UnfinishedWriteTest, TheNextLoadOffersBothWaysOutAndEachLeavesTheDeviceExact) {
  for (const std::size_t way : {kWriteAgain, kRestoreBefore}) {
    SCOPED_TRACE(way);
    TearAWrite();
    offered.clear();
    choice = way;
    router.Click(ids::kLoadDatabase);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].caption, "Unfinished write");
    EXPECT_EQ(offered[0].choices,
              (std::vector<std::string>{"Write again", "Restore the backup from before", "Not now"}));
    EXPECT_NE(offered[0].text.find("neither the points written nor those from before"), std::string::npos);
    const TransferImage expected = way == kWriteAgain ? newList : original;
    EXPECT_TRUE(ImageOf(device) == expected);
    EXPECT_TRUE(state.database.Image() == expected);  // the window shows what the device holds
    EXPECT_FALSE(files.journal.Pending());
    EXPECT_EQ(window.TextOf(ids::kStatusBox), "Update User Database successful");
  }
}

TEST_F(UnfinishedWriteTest, NotNowLeavesTheDeviceAndTheRecordAndOpenComPortAsksAgain) {
  TearAWrite();
  choice = kNotNow;
  router.Click(ids::kLoadDatabase);
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_TRUE(IsErased(ImageOf(device)));
  EXPECT_TRUE(files.journal.Pending());
  EXPECT_EQ(device.UploadsApplied(), 0);

  choice = kWriteAgain;
  router.Click(ids::kOpenPort);  // reads the device to check, as a record names it
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_TRUE(ImageOf(device) == newList);
  EXPECT_FALSE(files.journal.Pending());
}

TEST_F(UnfinishedWriteTest, AWriteThatFailsAgainKeepsTheRecordAndItsBackup) {
  TearAWrite();
  const std::optional<std::filesystem::path> backup = files.journal.Pending()->backupBefore;
  choice = kWriteAgain;
  device.Faults().tornWriteAfter = 640;
  router.Click(ids::kLoadDatabase);
  device.Faults().tornWriteAfter.reset();
  ASSERT_TRUE(files.journal.Pending());
  EXPECT_TRUE(files.journal.Pending()->image == newList);
  EXPECT_EQ(files.journal.Pending()->backupBefore, backup);

  // The window holds the list, so "EXIT and write to  Device" may try again: still the same backup.
  router.Click(ids::kExitAndWrite);
  EXPECT_TRUE(window.IsClosed());
  EXPECT_TRUE(ImageOf(device) == newList);
  EXPECT_FALSE(files.journal.Pending());
}

TEST_F(UnfinishedWriteTest, ADeviceThatHoldsEitherSideIsSettledWithoutAQuestion) {
  Load();
  original = ImageOf(device);
  UnfinishedWrite confirmationLost{20110318, "COM2", std::nullopt, original};
  ASSERT_TRUE(files.journal.Record(confirmationLost));
  router.Click(ids::kLoadDatabase);
  EXPECT_TRUE(offered.empty());
  EXPECT_FALSE(files.journal.Pending());
  EXPECT_NE(window.Boxes().back().text.find("holds the 32 points that were written"), std::string::npos)
      << window.Boxes().back().text;

  TransferImage other = original;
  other[0] ^= 0x01;
  const KeepResult kept = files.backups.Keep(original, 20110318, BackupReason::BeforeWrite);
  ASSERT_TRUE(kept);
  ASSERT_TRUE(files.journal.Record({20110318, "COM2", kept.file, other}));
  router.Click(ids::kLoadDatabase);
  EXPECT_TRUE(offered.empty());
  EXPECT_FALSE(files.journal.Pending());
  EXPECT_NE(window.Boxes().back().text.find("the write changed nothing"), std::string::npos);
}

TEST_F(UnfinishedWriteTest, RoutineDownloadsNeverPushOutTheBackupFromBeforeAWrite) {
  Load();
  original = ImageOf(device);
  newList = original;
  newList[kRecordsBytes] = 'Z';
  state.database.SetImage(newList);
  ASSERT_TRUE(WriteVerified(state, window));
  for (int i = 0; i < 60; ++i) router.Click(ids::kLoadDatabase);
  std::vector<BackupEntry> listed = files.backups.List();
  ASSERT_EQ(listed.size(), 2u);  // the device as it is now, and as it was before the write
  EXPECT_FALSE(listed[0].beforeWrite);
  EXPECT_TRUE(listed[1].beforeWrite);

  for (int i = 0; i < 60; ++i) {
    device.Memory().image[kRecordsBytes + 1] = static_cast<std::uint8_t>('a' + i % 26);
    device.Memory().image[kRecordsBytes + 2] = static_cast<std::uint8_t>('a' + i / 26);
    router.Click(ids::kLoadDatabase);
  }
  listed = files.backups.List();
  EXPECT_EQ(listed.size(), storage::kBackupsKept + 1);
  const auto before = std::find_if(listed.begin(), listed.end(), [](const BackupEntry& e) { return e.beforeWrite; });
  ASSERT_NE(before, listed.end());
  EXPECT_TRUE(files.backups.Load(before->file).image == original);
}

TEST_F(UnfinishedWriteTest, ARecordOfAnotherDeviceIsLeftAlone) {
  Load();
  TransferImage other = ImageOf(device);
  other[0] ^= 0x01;
  ASSERT_TRUE(files.journal.Record({20110318, "COM5", std::nullopt, other}));  // same number, other port
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(offered.size(), 1u);
  ASSERT_TRUE(files.journal.Record({12345678, "COM2", std::nullopt, other}));  // other number, same port
  router.Click(ids::kLoadDatabase);
  EXPECT_EQ(offered.size(), 1u);
  EXPECT_TRUE(files.journal.Pending());
}

}  // namespace
}  // namespace userdb
