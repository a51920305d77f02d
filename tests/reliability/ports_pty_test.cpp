// Ports that cannot be had, with the real userdb against userdb-sim on a pseudo-terminal.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

#include <chrono>
#include <fstream>

#include "database/user_database.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/uucp_lock.h"
#include "tests/reliability/fault_matrix.h"
#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;

// Under ASan a start of userdb alone takes a good part of this; the port itself refuses at once.
constexpr milliseconds kRefusalCeiling{2000};

struct CliCommand {
  std::string name;
  std::vector<std::string> arguments;
};

class PortsOverPty : public SimOnComPort {
 protected:
  std::vector<CliCommand> Commands() {
    const std::vector<std::uint8_t> image(kImageSize, 0xFF);
    std::ofstream(InFolder("upload.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return {{"userdb info", {"info"}},
            {"userdb download", {"download", "--output", InFolder("out.bin")}},
            {"userdb upload", {"upload", InFolder("upload.bin"), "--yes"}}};
  }

  // Runs each command on the port and records its row; the port must refuse every one, saying
  // why. An upload is refused at the backup it reads first.
  // The row shows the reason as told, the test's own folders left out.
  void ExpectRefused(const std::string& fault, int comNumber, const std::string& reason, const std::string& portAfter,
                     const std::string& reasonShown) {
    const std::string refusal = "Can not Open COM" + std::to_string(comNumber) + ": " + reason;
    const std::string shown = "Can not Open COM" + std::to_string(comNumber) + ": " + reasonShown;
    for (const CliCommand& command : Commands()) {
      std::vector<std::string> arguments = {"--port", "COM" + std::to_string(comNumber)};
      arguments.insert(arguments.end(), command.arguments.begin(), command.arguments.end());
      const auto start = Clock::now();
      const Finished run = Userdb(arguments);
      const auto elapsed = Clock::now() - start;
      EXPECT_EQ(run.status, 1) << command.name;
      EXPECT_EQ(run.errors.find("userdb: " + refusal), 0u) << run.errors;
      const std::size_t lines = command.name == "userdb upload" ? 2 : 1;
      EXPECT_EQ(static_cast<std::size_t>(std::count(run.errors.begin(), run.errors.end(), '\n')), lines) << run.errors;
      EXPECT_LT(elapsed, kRefusalCeiling) << command.name;
      EXPECT_FALSE(std::filesystem::exists(InFolder("out.bin")));
      EXPECT_FALSE(std::filesystem::exists(InFolder("device.bin"))) << "the device took an upload";
      FaultMatrix::Instance().Add({MatrixSection::Ports, fault, command.name, "\"" + shown + "\", exit status 1",
                                   "< " + Seconds(kRefusalCeiling) + " (real time)", "no wait", portAfter, "unchanged",
                                   "-", command.name == "userdb download" ? "not written" : "-"});
    }
  }
};

// The lock is a flock as well as TIOCEXCL, which root passes: the suite runs as root in CI.
TEST_F(PortsOverPty, APortHeldByAnotherProcessRefusesEveryCommandByNumber) {
  StartSim(8, {"--save", InFolder("device.bin")});
  PosixSerialPort holder;
  ASSERT_TRUE(holder.Open(8));
  ExpectRefused("Port held by another process (its lock holds for root too)", 8,
                "another program holds it (lock file " +
                    (folder / "locks" / posix::LockFileName(std::filesystem::canonical(ptyPath))).string(),
                "still the holder's", "another program holds it (lock file LCK..pts_N, process N)");
  EXPECT_TRUE(holder.IsOpen());
  holder.Close();
  EXPECT_EQ(Userdb({"--port", "COM8", "info"}).status, 0) << "the port stayed locked after its holder closed it";
}

TEST_F(PortsOverPty, APortThatDoesNotExistIsRefusedByNumber) {
  // COM200 names nothing unless the ports folder maps it, and this folder does not.
  ExpectRefused("Port that does not exist", 200, "no such port", "never opened", "no such port");
}

// A program that keeps no lock file but holds the device with flock.
TEST_F(PortsOverPty, APortHeldWithoutALockFileIsRefusedToo) {
  StartSim(9, {"--save", InFolder("device.bin")});
  const int holder = open(ptyPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  ExpectRefused("Port held by another process without a lock file", 9, "another program holds it", "still the holder's",
                "another program holds it");
  close(holder);
}

}  // namespace
}  // namespace userdb::test
