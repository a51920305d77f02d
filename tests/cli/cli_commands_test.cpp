#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "cli/image_file.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"

namespace userdb::cli {
namespace {

class CliCommandsTest : public ::testing::Test {
 protected:
  CliCommandsTest() : port(clock), folder(ScratchFolder()) {
    port.Attach(5, device);
    std::filesystem::create_directories(folder);
  }
  ~CliCommandsTest() override { std::filesystem::remove_all(folder); }

  CommandContext Context(int portNumber = 5, bool answer = true) {
    return {port, portNumber, output, errors, [answer](std::string_view) { return answer; }};
  }

  std::vector<std::uint8_t> DeviceImage() const {
    return {device.Memory().image.begin(), device.Memory().image.end()};
  }

  static std::filesystem::path ScratchFolder() {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::filesystem::temp_directory_path() / ("userdb-cli-" + std::to_string(::getpid()) + "-" + test);
  }

  static std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  std::ostringstream output;
  std::ostringstream errors;
  std::filesystem::path folder;
};

TEST_F(CliCommandsTest, InfoPrintsTheFourLabelsAsTheWindowShowsThem) {
  EXPECT_EQ(RunInfo(Context()), 0);
  EXPECT_EQ(output.str(),
            "Serial Number : 20110318\nDatabase Version :DB20110318\nFirmware Version : 3.2\nHardware Version : 1.2\n");
  EXPECT_EQ(errors.str(), "");
}

TEST_F(CliCommandsTest, FailuresGoToStderrWithTheWindowsWordsAndANonZeroStatus) {
  EXPECT_EQ(RunInfo(Context(9)), 1);
  EXPECT_EQ(errors.str(), "userdb: Can not Open COM9\n");
  EXPECT_EQ(output.str(), "");

  errors.str("");
  device.Faults().wrongAnswer = true;
  EXPECT_EQ(RunDownload(Context(), folder / "out.bin"), 1);
  EXPECT_EQ(errors.str(), "userdb: Device can not into update mode,please try again\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.bin"));
}

TEST_F(CliCommandsTest, DownloadThenUploadCarriesTheImageByteForByte) {
  const std::filesystem::path file = folder / "backup.bin";
  ASSERT_EQ(RunDownload(Context(), file), 0) << errors.str();
  EXPECT_EQ(FileBytes(file), DeviceImage());
  EXPECT_NE(output.str().find("points to"), std::string::npos);

  std::vector<std::uint8_t> edited = FileBytes(file);
  edited[kRecordsBytes + 3] = 'Z';  // a note's byte
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, edited, error)) << error;
  EXPECT_EQ(RunUpload(Context(), file), 0) << errors.str();
  EXPECT_EQ(DeviceImage(), edited);
  EXPECT_EQ(errors.str(), "userdb: Update User Database successful\n");
}

TEST_F(CliCommandsTest, AFailedDownloadLeavesAnExistingFileWhole) {
  const std::filesystem::path file = folder / "backup.bin";
  const std::vector<std::uint8_t> old(kImageSize, 0x42);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, old, error));
  device.Faults().stallInNote = 3;
  EXPECT_EQ(RunDownload(Context(), file), 1);
  EXPECT_EQ(FileBytes(file), old);
  EXPECT_EQ(errors.str(), "userdb: User database download failed, please try again\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no temporary left behind
}

TEST_F(CliCommandsTest, UploadRefusesFilesOfTheWrongSizeAndDeclinedConfirmations) {
  const std::filesystem::path file = folder / "short.bin";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>(100, 0), error));
  EXPECT_EQ(RunUpload(Context(), file), 1);
  EXPECT_NE(errors.str().find("100 bytes"), std::string::npos);
  EXPECT_EQ(port.OpenCount(), 0);

  errors.str("");
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>(kImageSize, 0xFF), error));
  const std::vector<std::uint8_t> before = DeviceImage();
  EXPECT_EQ(RunUpload(Context(5, false), file), 1);
  EXPECT_EQ(errors.str(), "userdb: nothing was written\n");
  EXPECT_EQ(DeviceImage(), before);
}

TEST_F(CliCommandsTest, AFailedUploadSaysSoAndExitsNonZero) {
  const std::filesystem::path file = folder / "image.bin";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>(kImageSize, 0xFF), error));
  device.Faults().checksumError = true;
  EXPECT_EQ(RunUpload(Context(), file), 1);
  EXPECT_EQ(errors.str(), "userdb: Checksum error,please update again ... \n");
}

TEST_F(CliCommandsTest, ScanPrintsTheVerdictOnStdout) {
  EXPECT_EQ(RunScan(Context()), 0);
  EXPECT_EQ(output.str(), "Auto scan to COM 5\n");

  output.str("");
  device.Faults().noBanner = true;
  EXPECT_EQ(RunScan(Context()), 1);
  EXPECT_EQ(output.str(), "Don't found device,Please choose com port by yourself\n");
}

}  // namespace
}  // namespace userdb::cli
