#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli/observed_port.h"
#include "cli_fixture.h"
#include "device/serial_channel.h"

namespace userdb::cli {
namespace {

using formats::FileFormat;

// Flips one bit of two bytes the program writes, so that the checksum still matches and the
// device stores what it was not sent.
class TwoFlippedBits final : public SerialPort {
 public:
  TwoFlippedBits(SerialPort& line, std::size_t first, std::size_t second)
      : line_(line), first_(first), second_(second) {}

  OpenResult Open(int portNumber) override { return line_.Open(portNumber); }
  bool IsOpen() const override { return line_.IsOpen(); }
  void Close() override { line_.Close(); }
  ReadResult ReadOnce(std::span<std::uint8_t> buffer) override { return line_.ReadOnce(buffer); }
  WriteResult Write(std::span<const std::uint8_t> bytes) override {
    std::vector<std::uint8_t> damaged(bytes.begin(), bytes.end());
    for (std::size_t i = 0; i < damaged.size(); ++i) {
      if (written_ + i == first_ || written_ + i == second_) damaged[i] ^= 0x01;
    }
    const WriteResult result = line_.Write(damaged);
    written_ += result.count;
    return result;
  }
  const Clock& LineClock() const override { return line_.LineClock(); }
  void Sleep(Duration span) override { line_.Sleep(span); }

 private:
  SerialPort& line_;
  std::size_t first_;
  std::size_t second_;
  std::size_t written_ = 0;
};

using CliCommandsTest = CliFixture;

TEST_F(CliCommandsTest, InfoPrintsTheFourLabelsAsTheWindowShowsThem) {
  EXPECT_EQ(RunInfo(Context()), exit_code::kSuccess);
  EXPECT_EQ(output.str(),
            "Serial Number : 20110318\nDatabase Version :DB20110318\nFirmware Version : 3.2\nHardware Version : 1.2\n");
  EXPECT_EQ(errors.str(), "");
}

TEST_F(CliCommandsTest, FailuresGoToStderrWithTheWindowsWordsAndANonZeroStatus) {
  EXPECT_EQ(RunInfo(Context(9)), exit_code::kDeviceFailure);
  EXPECT_EQ(errors.str(), "userdb: Can not Open COM9: no such port\n");
  EXPECT_EQ(output.str(), "");

  errors.str("");
  device.Faults().wrongAnswer = true;
  EXPECT_EQ(RunDownload(Context(), {folder / "out.bin", FileFormat::Image}), exit_code::kDeviceFailure);
  EXPECT_EQ(errors.str(), "userdb: Device can not into update mode,please try again\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.bin"));
}

TEST_F(CliCommandsTest, AnImageGoesBothWaysByteForByteAndIsReadBack) {
  const std::filesystem::path file = folder / "backup.bin";
  ASSERT_EQ(RunDownload(Context(), {file, FileFormat::Image}), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(FileBytes(file), DeviceImage());
  EXPECT_EQ(output.str(), "Saved 32 points to " + file.string() + "\n");

  std::vector<std::uint8_t> edited = FileBytes(file);
  edited[kRecordsBytes + 3] = 0xE9;  // a note's byte
  edited[13] = 0x5A;                 // a record byte the program only carries
  WriteText(file, std::string(edited.begin(), edited.end()));
  output.str("");
  EXPECT_EQ(RunUpload(Context(), Upload(file, FileFormat::Image)), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(DeviceImage(), edited);
  EXPECT_EQ(errors.str(), "userdb: Update User Database successful\n");
  EXPECT_EQ(output.str(), "Read back and verified all 36864 bytes\n");
  EXPECT_EQ(port.OpenCount(), 3);  // download, upload, read-back
}

TEST_F(CliCommandsTest, AnEditedCsvBackupReachesTheDevice) {
  const std::filesystem::path file = folder / "backup.csv";
  ASSERT_EQ(RunDownload(Context(), {file, FileFormat::Csv}), exit_code::kSuccess) << errors.str();
  std::string csv = FileText(file);
  const std::size_t note = csv.find("B14 Stuttgart tunnel exit");
  ASSERT_NE(note, std::string::npos);
  csv.replace(note, 3, "B27");
  WriteText(file, csv);

  EXPECT_EQ(RunUpload(Context(), Upload(file, FileFormat::Csv)), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(
      std::string(device.Memory().image.begin() + kRecordsBytes, device.Memory().image.begin() + kRecordsBytes + 25),
      "B27 Stuttgart tunnel exit");
}

TEST_F(CliCommandsTest, AFileThatBreaksTheRulesNeverReachesTheDevice) {
  const std::vector<std::uint8_t> before = DeviceImage();
  EXPECT_EQ(RunUpload(Context(), Upload(DataFile("speedcams-bad-row.csv"), FileFormat::Csv)), exit_code::kFileProblem);
  EXPECT_EQ(errors.str(), "userdb: " + DataFile("speedcams-bad-row.csv") +
                              ":4: DIRECTION: 400 is above 359\n"
                              "userdb: nothing was sent to the device\n");

  const std::filesystem::path file = folder / "far.csv";
  WriteText(file, "index,longitude,latitude\n0,180.5,10\n");
  errors.str("");
  EXPECT_EQ(RunUpload(Context(), Upload(file, FileFormat::Csv)), exit_code::kFileProblem);
  EXPECT_NE(errors.str().find("far.csv:2: longitude: Longitude - degress must  under 180"), std::string::npos);

  WriteText(file, std::string(100, '\0'));
  EXPECT_EQ(RunUpload(Context(), Upload(file, FileFormat::Image)), exit_code::kFileProblem);
  EXPECT_NE(errors.str().find("holds 100 bytes"), std::string::npos);
  EXPECT_EQ(port.OpenCount(), 0);
  EXPECT_EQ(DeviceImage(), before);
}

TEST_F(CliCommandsTest, ASpeedCameraListIsUploadedAsItsPoints) {
  EXPECT_EQ(RunUpload(Context(), Upload(DataFile("speedcams.csv"), FileFormat::Csv)), exit_code::kSuccess)
      << errors.str();
  UserDatabase held;
  held.SetImage(device.Memory().image);
  EXPECT_EQ(formats::PointCount(held), 5u);
  EXPECT_EQ(held.Point(2).direction, 270);
}

TEST_F(CliCommandsTest, ADeclinedOrRefusedUploadSaysSo) {
  const std::filesystem::path file = folder / "image.bin";
  WriteText(file, std::string(kImageSize, '\xFF'));
  const std::vector<std::uint8_t> before = DeviceImage();
  EXPECT_EQ(RunUpload(Context(5, false), Upload(file, FileFormat::Image)), exit_code::kDeviceFailure);
  EXPECT_EQ(errors.str(), "userdb: nothing was written\n");
  EXPECT_EQ(DeviceImage(), before);

  errors.str("");
  device.Faults().checksumError = true;
  EXPECT_EQ(RunUpload(Context(), Upload(file, FileFormat::Image)), exit_code::kDeviceFailure);
  EXPECT_EQ(errors.str(), "userdb: Checksum error,please update again ... \n");
  EXPECT_EQ(port.OpenCount(), 1);  // no read-back after a refusal
}

TEST_F(CliCommandsTest, TheReadBackNamesWhereTheDeviceDiffers) {
  const std::filesystem::path file = folder / "image.bin";
  WriteText(file, std::string(kImageSize, '\xFF'));
  constexpr std::size_t kImageStart = 18 + 7;  // after the update request and the frame
  TwoFlippedBits damaged(port, kImageStart + kRecordsBytes + 3, kImageStart + kRecordsBytes + 5);
  EXPECT_EQ(RunUpload(ContextOn(damaged), Upload(file, FileFormat::Image)), exit_code::kVerifyMismatch);
  EXPECT_EQ(errors.str(),
            "userdb: Update User Database successful\n"
            "userdb: the device holds other bytes than were sent, first at offset 4099 (note 0, byte 3): sent 0xFF, "
            "read back 0xFE\n");

  errors.str("");
  EXPECT_EQ(RunUpload(ContextOn(damaged), Upload(file, FileFormat::Image, false)), exit_code::kSuccess);
}

TEST_F(CliCommandsTest, AFailedDownloadLeavesAnExistingFileWhole) {
  const std::filesystem::path file = folder / "backup.csv";
  WriteText(file, "old");
  device.Faults().stallInNote = 3;
  device.Faults().pause = kLullLimit + kReadLimit + std::chrono::milliseconds(100);
  EXPECT_EQ(RunDownload(Context(), {file, FileFormat::Csv}), exit_code::kDeviceFailure);
  EXPECT_EQ(FileText(file), "old");
  EXPECT_EQ(errors.str(), "userdb: User database download failed, please try again\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);  // no temporary left behind
}

TEST_F(CliCommandsTest, QuietCommandsSayNothingButTheirFailures) {
  CommandContext context = Context();
  context.quiet = true;
  const std::filesystem::path file = folder / "backup.gpx";
  ASSERT_EQ(RunDownload(context, {file, FileFormat::Gpx}), exit_code::kSuccess);
  EXPECT_EQ(RunUpload(context, Upload(file, FileFormat::Gpx)), exit_code::kSuccess) << errors.str();
  EXPECT_EQ(output.str() + errors.str(), "");
}

TEST_F(CliCommandsTest, LongTransfersReportTheirProgress) {
  ObservedPort observed(port);
  std::ostringstream shown;
  TransferProgress progress(shown, port.LineClock(), ProgressStyle::Lines);
  observed.Watch(progress);
  CommandContext context = ContextOn(observed);
  context.progress = &progress;
  ASSERT_EQ(RunDownload(context, {folder / "b.bin", FileFormat::Image}), exit_code::kSuccess);
  const std::string lines = shown.str();
  EXPECT_EQ(lines.find("download:  25%  "), 0u) << lines;
  EXPECT_NE(lines.find("download: 100%  36913/36913 bytes"), std::string::npos) << lines;

  shown.str("");
  EXPECT_EQ(RunInfo(context), exit_code::kSuccess);
  EXPECT_EQ(shown.str(), "");  // a short conversation shows no progress
}

TEST_F(CliCommandsTest, ScanPrintsTheVerdictOnStdout) {
  EXPECT_EQ(RunScan(Context()), exit_code::kSuccess);
  EXPECT_EQ(output.str(), "Auto scan to COM 5\n");

  output.str("");
  device.Faults().noBanner = true;
  EXPECT_EQ(RunScan(Context()), exit_code::kDeviceFailure);
  EXPECT_EQ(output.str(), "Don't found device,Please choose com port by yourself\n");
}

}  // namespace
}  // namespace userdb::cli
