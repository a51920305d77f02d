#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/posix/posix_serial_port.h"
#include "platform/posix/uucp_lock.h"
#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;
using CliOverPty = SimOnComPort;

std::string TextOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

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
      // Three tries of a handshake, each a banner read and a lull's wait, 0.5 s apart.
      {{"--fault", "silent"}, {"info"}, "Device can not into update mode,please try again", milliseconds(4000)},
      {{"--fault", "hangup=records:100"},
       {"download", "--output", InFolder("x.bin")},
       "User database download failed, please try again",
       milliseconds(1500)},
      {{"--fault", "noise-after-notes=3"},
       {"download", "--output", InFolder("x.bin")},
       "User database download failed, please try again",
       milliseconds(2500)},
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

// A device that sends only its points, on a line that falls silent before a record and a note
// and inside another note, gives the same image as a device that sends everything at once.
TEST_F(CliOverPty, ThroughLullsADeviceWithShortListsIsReadByteExact) {
  StartSim(12, {"--send", "filled", "--paced", "--fault", "lull=records:20:300", "--fault", "lull=notes:0:500",
                "--fault", "stall-note=31"});
  Finished lulled = Userdb({"--port", "COM12", "download", "--output", InFolder("lulled.bin")});
  ASSERT_EQ(lulled.status, 0) << lulled.errors;
  StartSim(13);
  Finished plain = Userdb({"--port", "COM13", "download", "--output", InFolder("plain.bin")});
  ASSERT_EQ(plain.status, 0) << plain.errors;
  EXPECT_EQ(FileBytes("lulled.bin"), FileBytes("plain.bin"));
}

TEST_F(CliOverPty, DownloadsAndUploadsLeaveBackupsThatRestorePutsBack) {
  StartSim(14);
  Finished download = Userdb({"--port", "COM14", "download", "--output", InFolder("first.bin")});
  ASSERT_EQ(download.status, 0) << download.errors;
  ASSERT_EQ(std::distance(std::filesystem::directory_iterator(BackupFolder()), {}), 1);
  const std::vector<std::uint8_t> original = FileBytes("first.bin");

  std::vector<std::uint8_t> changed = original;
  changed[4096] = 'Z';  // the first byte of note 0
  std::ofstream(InFolder("changed.bin"), std::ios::binary)
      .write(reinterpret_cast<const char*>(changed.data()), static_cast<std::streamsize>(changed.size()));
  Finished upload = Userdb({"--port", "COM14", "upload", InFolder("changed.bin"), "--yes"});
  ASSERT_EQ(upload.status, 0) << upload.errors;
  EXPECT_NE(upload.output.find("Kept a copy of the device in " + BackupFolder().string()), std::string::npos)
      << upload.output;

  Finished listing = Userdb({"backups"});
  ASSERT_EQ(listing.status, 0) << listing.errors;
  // The backup before the upload held what the download had kept, so that one copy is now marked.
  EXPECT_EQ(std::count(listing.output.begin(), listing.output.end(), '\n'), 3) << listing.output;  // title, 2 copies
  EXPECT_NE(listing.output.find("  2  "), std::string::npos) << listing.output;
  EXPECT_NE(listing.output.find("before writing"), std::string::npos) << listing.output;

  // Backup 2 is what the device held before the upload.
  Finished restore = Userdb({"--port", "COM14", "restore", "2", "--yes"});
  ASSERT_EQ(restore.status, 0) << restore.errors;
  Finished again = Userdb({"--port", "COM14", "download", "--output", InFolder("again.bin")});
  ASSERT_EQ(again.status, 0) << again.errors;
  EXPECT_EQ(FileBytes("again.bin"), original);

  Finished missing = Userdb({"--port", "COM14", "restore", "99", "--yes"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.errors.find("no backup 99"), std::string::npos) << missing.errors;
}

TEST_F(CliOverPty, APortHeldByAnotherProgramIsRefusedWithTheReason) {
  StartSim(8);
  PosixSerialPort holder;
  ASSERT_TRUE(holder.Open(8));
  const std::string lock = (folder / "locks" / posix::LockFileName(std::filesystem::canonical(ptyPath))).string();
  Finished info = Userdb({"--port", "COM8", "info"});
  EXPECT_EQ(info.status, 1);
  EXPECT_EQ(info.errors, "userdb: Can not Open COM8: another program holds it (lock file " + lock + ", process " +
                             std::to_string(getpid()) + ")\n");
  Finished byPath = Userdb({"--port", ptyPath, "info"});
  EXPECT_EQ(byPath.errors.find("userdb: Can not open " + ptyPath + ": another program holds it"), 0u) << byPath.errors;
  holder.Close();
  EXPECT_EQ(Userdb({"--port", "COM8", "info"}).status, 0);
}

// Another program that locked the port the UUCP way is not disturbed at all: the port is not
// even opened, by a command or by the scan.
TEST_F(CliOverPty, APortLockedByAnotherProgramIsNotOpenedByAnyCommand) {
  StartSim(7, {"--log", InFolder("line.log")});
  const std::filesystem::path lock = folder / "locks" / posix::LockFileName(std::filesystem::canonical(ptyPath));
  std::ofstream(lock) << "      " << getppid() << "\n";
  Finished info = Userdb({"--port", "COM7", "info"});
  EXPECT_EQ(info.status, 1);
  EXPECT_NE(info.errors.find("another program holds it (lock file " + lock.string()), std::string::npos) << info.errors;
  Finished scan = Userdb({"scan"}, milliseconds(30000));
  EXPECT_EQ(scan.output, "Don't found device,Please choose com port by yourself\n");
  EXPECT_EQ(TextOf(InFolder("line.log")).find("port opened"), std::string::npos) << "the locked port was opened";

  std::filesystem::remove(lock);
  EXPECT_EQ(Userdb({"scan"}, milliseconds(30000)).output, "Auto scan to COM 7\n");
}

// An adapter plugged in after the command started: the port comes half a second late.
TEST_F(CliOverPty, WithWaitACommandOpensAPortThatAppearsWhileItWaits) {
  const std::string late = InFolder("late-adapter");
  ChildProcess info(USERDB_BINARY, {"--port", late, "--wait", "10", "info"}, Environment());
  std::this_thread::sleep_for(milliseconds(500));
  StartSim(15);
  std::filesystem::create_symlink(ptyPath, late);
  EXPECT_EQ(info.WaitForExit(milliseconds(10000)), 0) << info.Errors();
  EXPECT_EQ(info.Output(), kDeviceLabels);
  EXPECT_EQ(info.Errors(), "userdb: waiting up to 10 s for " + late + " to appear\n");
}

TEST_F(CliOverPty, WithWaitACommandGivesUpAtItsBoundWithThePortFailure) {
  const std::string never = InFolder("never-plugged-in");
  const std::string failure = "userdb: Can not open " + never + ": no such port (No such file or directory)\n";
  const auto start = Clock::now();
  Finished info = Userdb({"--port", never, "--wait", "1", "info"});
  const auto waited = Clock::now() - start;
  EXPECT_EQ(info.status, 1);
  EXPECT_EQ(info.errors, "userdb: waiting up to 1 s for " + never + " to appear\n" + failure);
  EXPECT_GE(waited, std::chrono::seconds(1));
  EXPECT_LT(waited, std::chrono::seconds(3));

  Finished quiet = Userdb({"--port", never, "--wait", "1", "--quiet", "info"});
  EXPECT_EQ(quiet.status, 1);
  EXPECT_EQ(quiet.errors, failure);

  const auto unwaited = Clock::now();
  Finished plain = Userdb({"--port", never, "info"});
  EXPECT_LT(Clock::now() - unwaited, std::chrono::milliseconds(500));
  EXPECT_EQ(plain.status, 1);
  EXPECT_EQ(plain.errors, failure);
}

TEST_F(CliOverPty, AHandshakeThatFailsIsTriedAgainAndEachTryTold) {
  StartSim(9, {"--fault", "wrong-answer"});
  Finished info = Userdb({"--port", "COM9", "--retries", "1", "info"});
  EXPECT_EQ(info.status, 1);
  EXPECT_EQ(info.errors,
            "userdb: no proper answer to the update request (try 1 of 2), trying again\n"
            "userdb: Device can not into update mode,please try again\n");
}

TEST_F(CliOverPty, AnEditedCsvBackupIsUploadedVerifiedAndHeld) {
  StartSim(7, {"--save", InFolder("device.bin")});
  Finished download = Userdb({"--port", "COM7", "download", "--output", InFolder("backup.csv")});
  ASSERT_EQ(download.status, 0) << download.errors;
  EXPECT_NE(download.errors.find("download: 100%"), std::string::npos) << download.errors;  // plain progress lines

  std::string csv = TextOf(InFolder("backup.csv"));
  const std::string original = "Alexanderplatz red light";
  const std::size_t note = csv.find(original);
  ASSERT_NE(note, std::string::npos);
  csv.replace(note, original.size(), "Alexanderplatz Ampel \xC3\xA9t\xC3\xA9");  // e acute, as UTF-8
  std::ofstream(InFolder("backup.csv"), std::ios::binary) << csv;

  Finished upload = Userdb({"upload", InFolder("backup.csv"), "--yes", "--port", "COM7", "--trace", InFolder("trace")});
  EXPECT_EQ(upload.status, 0) << upload.errors;
  EXPECT_EQ(upload.output.substr(upload.output.find('\n') + 1), "Read back and verified all 36864 bytes\n");
  EXPECT_EQ(upload.output.find("Kept a copy of the device in "), 0u) << upload.output;
  const std::vector<std::uint8_t> device = FileBytes("device.bin");
  ASSERT_EQ(device.size(), 36864u);
  const std::string held(device.begin() + 4096 + 128, device.begin() + 4096 + 128 + 25);
  EXPECT_EQ(held, "Alexanderplatz Ampel \xE9t\xE9\xFF");
  EXPECT_NE(TextOf(InFolder("trace")).find(" > 56 AB 00 90 00 00 "), std::string::npos);  // the WriteDatabase frame

  Finished quiet = Userdb({"--quiet", "--port", "COM7", "download", "--output", InFolder("again.gpx")});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.output + quiet.errors, "");
}

TEST_F(CliOverPty, ASpeedCameraListWithABadRowIsRefusedAndTheDeviceLeftAlone) {
  StartSim(7, {"--save", InFolder("device.bin"), "--log", InFolder("line.log")});
  std::ofstream(InFolder("cams.csv")) << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n"
                                         "9.1829,48.7758,1,60,1,270\n"
                                         "13.4050,52.5200,0,50,3,0\n";
  Finished upload = Userdb({"--port", "COM7", "upload", InFolder("cams.csv"), "--yes"});
  EXPECT_EQ(upload.status, 3);
  EXPECT_EQ(upload.errors, "userdb: " + InFolder("cams.csv") +
                               ":3: DIRTYPE: 3 is above 2\n"
                               "userdb: nothing was sent to the device\n");
  EXPECT_FALSE(std::filesystem::exists(InFolder("device.bin")));
  EXPECT_EQ(TextOf(InFolder("line.log")).find("port opened"), std::string::npos) << "the device's port was opened";
}

TEST_F(CliOverPty, ExportAndImportNeedNoDevice) {
  std::ofstream(InFolder("cams.csv")) << "IDX,X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n1,9.1829,48.7758,1,60,2,90\r\n";
  Finished imported = Userdb({"import", InFolder("cams.csv"), InFolder("cams.gpx")});
  EXPECT_EQ(imported.status, 0) << imported.errors;
  EXPECT_EQ(imported.output, "Wrote 2 points to " + InFolder("cams.gpx") + "\n");
  Finished exported = Userdb({"export", InFolder("cams.gpx"), InFolder("cams.bin")});
  EXPECT_EQ(exported.status, 0) << exported.errors;
  EXPECT_EQ(FileBytes("cams.bin").size(), 36864u);
  EXPECT_EQ(Userdb({"export", InFolder("cams.gpx"), InFolder("cams.kml")}).status, 0);
  EXPECT_EQ(Userdb({"export", InFolder("cams.kml"), InFolder("x.bin")}).status, 2);
  EXPECT_EQ(Userdb({"export", InFolder("missing.csv"), InFolder("x.bin")}).status, 3);
  EXPECT_FALSE(std::filesystem::exists(InFolder("x.bin")));
}

TEST_F(CliOverPty, AListMergedIntoTheDeviceIsUploadedAndWhatDidNotFitWritten) {
  std::ofstream list(InFolder("cams.csv"));
  list << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n";
  for (int i = 0; i < 300; ++i) list << 13.0 + i * 0.003 << ",52.5,1,50,1,90\r\n";
  list.close();
  StartSim(3, {});
  Finished merged =
      Userdb({"--port", "COM3", "merge", "device", InFolder("cams.csv"), "--near", "52.5,13.0", "--radius", "50",
              "--fit", "nearest", "--dropped", InFolder("dropped.ov2"), "--to-device", "--yes"});
  ASSERT_EQ(merged.status, 0) << merged.errors;
  EXPECT_NE(merged.output.find(" kept, "), std::string::npos) << merged.output;
  EXPECT_NE(merged.output.find("Read back and verified"), std::string::npos) << merged.output;
  EXPECT_GT(FileBytes("dropped.ov2").size(), 0u);
  Finished dry = Userdb({"--port", "COM3", "merge", "device", InFolder("cams.csv"), "--dry-run"});
  EXPECT_EQ(dry.status, 3) << dry.errors;  // the device is full now: 300 more do not fit
  EXPECT_NE(dry.errors.find("a device holds 256"), std::string::npos) << dry.errors;
}

TEST_F(CliOverPty, AListIsMergedIntoTheDeviceAlongARouteKeepingThePointsNearestIt) {
  std::ofstream list(InFolder("cams.csv"));
  list << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n";
  for (int i = 0; i < 600; ++i) list << 13.0 + (i % 300) * 0.003 << "," << (i < 300 ? 52.5 : 52.6) << ",1,50,1,90\r\n";
  list.close();
  std::ofstream(InFolder("trip.gpx")) << "<gpx><trk><trkseg><trkpt lat=\"52.505\" lon=\"12.9\"/>"
                                         "<trkpt lat=\"52.505\" lon=\"14.0\"/></trkseg></trk></gpx>";
  StartSim(4, {"--save", InFolder("device.bin")});
  Finished merged = Userdb({"--port", "COM4", "merge", "device", InFolder("cams.csv"), "--along", InFolder("trip.gpx"),
                            "--corridor", "2", "--fit", "along", "--to-device", "--yes"});
  ASSERT_EQ(merged.status, 0) << merged.errors;
  // The row at 52.6 lies 10 km off the road; of the row beside it, what fits beside the 32 points.
  EXPECT_NE(merged.output.find("32 kept, 224 added, 0 duplicates, 300 outside the region, 76 left out"),
            std::string::npos)
      << merged.output;
  EXPECT_NE(merged.output.find("Read back and verified"), std::string::npos) << merged.output;
}

TEST_F(CliOverPty, MergeOptionsThatDoNotGoTogetherAreUsageErrors) {
  std::ofstream(InFolder("a.csv")) << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n9.1,48.7,1,60,1,0\r\n9.2,48.7,1,60,1,0\r\n";
  std::ofstream(InFolder("trip.gpx"))
      << "<gpx><rte><rtept lat=\"48.7\" lon=\"9.0\"/><rtept lat=\"48.7\" lon=\"9.15\"/></rte></gpx>";
  const std::string a = InFolder("a.csv");
  const std::string out = InFolder("out.bin");
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"merge", a},
           {"merge", a, "-o", out, "--fit", "nearest"},
           {"merge", a, "-o", out, "--sort", "distance"},
           {"merge", a, "-o", out, "--near", "95,0"},
           {"merge", a, "-o", out, "--near", "1,2", "--radius", "5", "--bbox", "1,2,3,4"},
           {"merge", a, "-o", out, "--bbox", "1,2,3"},
           {"merge", a, "-o", out, "--dropped", InFolder("d.bin")},
           {"merge", a, "-o", out, "--within", "-1"},
           {"merge", a, "-o", out, "--corridor", "2"},
           {"merge", a, "-o", out, "--fit", "along"},
           {"merge", a, "-o", out, "--along", InFolder("trip.gpx")},
           {"merge", a, "-o", out, "--along", InFolder("missing.gpx"), "--corridor", "2"}}) {
    Finished run = Userdb(arguments);
    EXPECT_EQ(run.status, 2) << arguments.back() << ": " << run.errors;
    EXPECT_NE(run.errors, "");
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  Finished along = Userdb({"merge", a, "-o", out, "--along", InFolder("trip.gpx"), "--corridor", "1"});
  EXPECT_EQ(along.status, 0) << along.errors;  // 9.2 lies 3.7 km beyond the route's end
  EXPECT_NE(along.output.find("1 added, 0 duplicates, 1 outside the region"), std::string::npos) << along.output;
  Finished fine = Userdb({"merge", a, "-o", out});
  EXPECT_EQ(fine.status, 0) << fine.errors;
  EXPECT_EQ(fine.output,
            "Merged: 0 kept, 2 added, 0 duplicates, 0 outside the region, 0 left out for capacity\nWrote 2 "
            "points to " +
                out + "\n");
}

TEST_F(CliOverPty, EverySubcommandHasHelpAndTheProgramAVersion) {
  for (const char* command : {"info", "download", "upload", "scan", "ports", "export", "import", "merge"}) {
    Finished help = Userdb({command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.output.find("Usage: userdb " + std::string(command)), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("Exit status: 0 done"), std::string::npos) << command;
  }
  Finished version = Userdb({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output.rfind("userdb ", 0), 0u);
}

TEST_F(CliOverPty, BadUsageExitsTwoWithAPointerToTheHelp) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"download"},
                                             {},
                                             {"frobnicate"},
                                             {"upload", "x.bin", "--format", "kml"},
                                             {"upload", "x.dat"},
                                             {"--port", "COM999", "info"}}) {
    Finished run = Userdb(arguments);
    EXPECT_EQ(run.status, 2) << run.errors;
    EXPECT_NE(run.errors, "");
  }
  EXPECT_NE(Userdb({"download"}).errors.find("Run with --help"), std::string::npos);
}

}  // namespace
}  // namespace userdb::test
