#include <chrono>
#include <fstream>

#include "platform/posix/posix_serial_port.h"
#include "sim_on_com_port.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;
using CliOverPty = SimOnComPort;

constexpr const char* kDeviceLabels =
    "Serial Number : 20110318\nDatabase Version :DB20110318\nFirmware Version : 3.2\nHardware Version : 1.2\n";

TEST_F(CliOverPty, InfoDownloadUploadAndDownloadAgainAreByteExact) {
  StartSim(7, {"--save", InFolder("device.bin")});
  Finished info = Userdb({"--port", "COM7", "info"});
  EXPECT_EQ(info.status, 0) << info.errors;
  EXPECT_EQ(info.output, kDeviceLabels);

  Finished download = Userdb({"--port", "7", "download", "--output", InFolder("backup.bin")});
  ASSERT_EQ(download.status, 0) << download.errors;
  std::vector<std::uint8_t> image = FileBytes("backup.bin");
  ASSERT_EQ(image.size(), 36864u);

  image[4096 + 128 * 2] = 'Q';  // note 2's first letter
  image[13] = 0x5A;             // a record byte the program only carries
  std::ofstream(InFolder("edited.bin"), std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 36864);
  Finished upload = Userdb({"--port", "COM7", "upload", InFolder("edited.bin"), "--yes"});
  EXPECT_EQ(upload.status, 0) << upload.errors;
  EXPECT_EQ(FileBytes("device.bin"), image);

  Finished again = Userdb({"--port", ptyPath, "download", "--output", InFolder("again.bin")});
  EXPECT_EQ(again.status, 0) << again.errors;
  EXPECT_EQ(FileBytes("again.bin"), image);
}

TEST_F(CliOverPty, ScanFindsTheDeviceOnItsComNumber) {
  StartSim(7);
  Finished scan = Userdb({"scan"}, milliseconds(30000));
  EXPECT_EQ(scan.status, 0) << scan.errors;
  EXPECT_EQ(scan.output, "Auto scan to COM 7\n");
}

TEST_F(CliOverPty, FaultsEndWithinTheirBoundsWithTheWindowsWords) {
  struct Case {
    std::vector<std::string> simOptions;
    std::vector<std::string> command;
    std::string message;
    milliseconds bound;
  };
  const std::vector<Case> cases = {
      {{"--fault", "silent"}, {"info"}, "Device can not into update mode,please try again", milliseconds(1500)},
      {{"--fault", "hangup=records:100"}, {"download", "--output", InFolder("x.bin")},
       "User database download failed, please try again", milliseconds(1500)},
      {{"--fault", "stall-note=3"}, {"download", "--output", InFolder("x.bin")},
       "User database download failed, please try again", milliseconds(1500)},
      {{"--fault", "no-update-over"}, {"info"}, "Device not responding, please try again", milliseconds(4500)},
  };
  int com = 10;
  for (const Case& test : cases) {
    StartSim(++com, test.simOptions);
    std::vector<std::string> arguments = {"--port", "COM" + std::to_string(com)};
    arguments.insert(arguments.end(), test.command.begin(), test.command.end());
    const auto start = Clock::now();
    Finished run = Userdb(arguments);
    EXPECT_LT(Clock::now() - start, test.bound) << test.message;
    EXPECT_EQ(run.status, 1) << test.message;
    EXPECT_NE(run.errors.find(test.message), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(InFolder("x.bin")));
  }
}

TEST_F(CliOverPty, APortHeldByAnotherProgramIsRefusedByNumber) {
  StartSim(8);
  PosixSerialPort holder;
  ASSERT_TRUE(holder.Open(8));
  Finished info = Userdb({"--port", "COM8", "info"});
  EXPECT_EQ(info.status, 1);
  EXPECT_EQ(info.errors, "userdb: Can not Open COM8\n");
  holder.Close();
  EXPECT_EQ(Userdb({"--port", "COM8", "info"}).status, 0);
}

TEST_F(CliOverPty, BadUsageExitsTwoWithTheUsage) {
  Finished run = Userdb({"download"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.errors.find("usage: userdb"), std::string::npos);
  EXPECT_EQ(Userdb({"--port", "COM999", "info"}).status, 2);
}

}  // namespace
}  // namespace userdb::test
