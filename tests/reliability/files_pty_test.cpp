// Files that userdb cannot use, and a failed download over an existing file, with the real
// userdb against userdb-sim on a pseudo-terminal.

#include <chrono>
#include <fstream>
#include <sstream>

#include "database/user_database.h"
#include "tests/reliability/fault_matrix.h"
#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr milliseconds kCeiling{5000};

class FilesOverPty : public SimOnComPort {
 protected:
  void Write(const std::string& name, std::size_t size, std::uint8_t fill) {
    const std::vector<std::uint8_t> bytes(size, fill);
    std::ofstream(InFolder(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // The messages userdb printed on stderr (its progress lines left out), one after the other,
  // with the test's folder as DIR.
  std::string Said(const std::string& errors) const {
    std::string said;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
      if (!line.starts_with("userdb: ")) continue;
      for (std::size_t at = line.find(folder.string()); at != std::string::npos; at = line.find(folder.string())) {
        line.replace(at, folder.string().size(), "DIR");
      }
      said += (said.empty() ? "" : " / ") + line;
    }
    return said;
  }

  // Runs userdb, which must fail, and records the row.
  void ExpectFailure(const std::string& fault, const std::string& command, std::vector<std::string> arguments,
                     const std::string& file, const std::string& fileAfter) {
    arguments.insert(arguments.begin(), {"--port", "COM5"});
    const std::vector<std::uint8_t> fileBefore = FileBytes(file);
    const auto start = Clock::now();
    const Finished run = Userdb(arguments);
    const auto elapsed = Clock::now() - start;
    EXPECT_NE(run.status, 0) << fault;
    const std::string said = Said(run.errors);
    EXPECT_FALSE(said.empty()) << fault << ": " << run.errors;
    EXPECT_LT(elapsed, kCeiling) << fault;
    EXPECT_EQ(FileBytes(file), fileBefore) << fault;
    EXPECT_FALSE(std::filesystem::exists(InFolder("device.bin"))) << "the device took an upload";
    FaultMatrix::Instance().Add({MatrixSection::Files, fault, command, said, "< " + Seconds(kCeiling) + " (real time)",
                                 "-", "closed", "unchanged", "-", fileAfter});
  }
};

TEST_F(FilesOverPty, AFailedDownloadLeavesAnExistingFileWhole) {
  StartSim(5, {"--save", InFolder("device.bin"), "--fault", "hangup=notes:4000"});
  Write("backup.bin", kImageSize, 0x5A);
  ExpectFailure("Device hangs up in the notes; the output file exists", "userdb download",
                {"download", "--output", InFolder("backup.bin")}, "backup.bin", "kept whole");
}

TEST_F(FilesOverPty, AnOutputFolderThatDoesNotExistIsReported) {
  StartSim(5, {"--save", InFolder("device.bin")});
  ExpectFailure("Output folder that does not exist", "userdb download",
                {"download", "--output", InFolder("missing/out.bin")}, "missing/out.bin", "not written");
}

TEST_F(FilesOverPty, AnImageFileThatCannotBeUsedSendsNothing) {
  StartSim(5, {"--save", InFolder("device.bin")});
  ExpectFailure("Image file that does not exist", "userdb upload", {"upload", InFolder("missing.bin"), "--yes"},
                "missing.bin", "-");
  Write("short.bin", 100, 0xFF);
  ExpectFailure("Image file of 100 bytes", "userdb upload", {"upload", InFolder("short.bin"), "--yes"}, "short.bin",
                "unchanged");
}

}  // namespace
}  // namespace userdb::test
