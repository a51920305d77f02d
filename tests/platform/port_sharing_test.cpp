// Living beside other serial programs: their lock files are honoured (and a stale one taken
// over), ours is made and removed, the line's settings come back after a command, and a failed
// open says why.

#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/posix/posix_serial_port.h"
#include "platform/posix/uucp_lock.h"
#include "pty_pair.h"
#include "scoped_ports_folder.h"

namespace userdb {
namespace {

using std::chrono::milliseconds;

constexpr int kPort = 6;

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A process number that no process has any more.
pid_t GonePid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

class PortSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.Create());
    ports_.Map(kPort, pty_.SlavePath());
    lockFile_ = ports_.LockFolder() / posix::LockFileName(std::filesystem::canonical(pty_.SlavePath()));
  }

  void WriteLock(const std::string& text) const { std::ofstream(lockFile_) << text; }

  termios SlaveSettings() const {
    termios settings{};
    EXPECT_EQ(tcgetattr(pty_.MasterFd(), &settings), 0);
    return settings;
  }

  test::PtyPair pty_;
  test::ScopedPortsFolder ports_;
  std::filesystem::path lockFile_;
  PosixSerialPort port_;
};

TEST(LockFileNameTest, NamesFollowTheDevicesNameBelowDev) {
  EXPECT_EQ(posix::LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
  EXPECT_EQ(posix::LockFileName("/dev/pts/3"), "LCK..pts_3");
  EXPECT_EQ(posix::LockFileName("/tmp/odd/device"), "LCK..device");
}

TEST_F(PortSharingTest, AnotherProgramsLockKeepsThePortUntouched) {
  const termios before = SlaveSettings();
  const std::uint8_t waiting[] = {0x51, 0x52, 0x53};
  ASSERT_TRUE(pty_.SendFromDevice(waiting));
  for (const std::string& lock : {"      " + std::to_string(getppid()) + "\n", std::to_string(getppid())}) {
    WriteLock(lock);
    const OpenResult result = port_.Open(kPort);
    EXPECT_EQ(result.status, OpenStatus::Busy) << lock;
    EXPECT_EQ(result.systemMessage, "lock file " + lockFile_.string() + ", process " + std::to_string(getppid()));
    EXPECT_FALSE(port_.IsOpen());
  }
  // The settings were never touched, nor the bytes waiting for the other program.
  EXPECT_EQ(SlaveSettings().c_lflag, before.c_lflag);
  EXPECT_EQ(SlaveSettings().c_iflag, before.c_iflag);
  EXPECT_EQ(FileText(lockFile_), std::to_string(getppid()));

  std::filesystem::remove(lockFile_);
  ASSERT_TRUE(port_.Open(kPort));
  std::array<std::uint8_t, 3> buffer{};
  EXPECT_EQ(port_.ReadOnce(buffer).count, 3u);
}

TEST_F(PortSharingTest, AStaleLockIsTakenOverAndOursGoesWithTheClose) {
  WriteLock("   " + std::to_string(GonePid()) + "\n");
  ASSERT_TRUE(port_.Open(kPort));
  char ours[16];
  std::snprintf(ours, sizeof ours, "%10d\n", static_cast<int>(getpid()));
  EXPECT_EQ(FileText(lockFile_), ours);
  port_.Close();
  EXPECT_FALSE(std::filesystem::exists(lockFile_));

  // A lock without a number that is not new is garbage, and taken over too.
  WriteLock("");
  std::filesystem::last_write_time(lockFile_, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
  EXPECT_TRUE(port_.Open(kPort));
}

TEST_F(PortSharingTest, WithoutALockFolderThePortStillOpens) {
  std::filesystem::remove_all(ports_.LockFolder());
  EXPECT_TRUE(port_.Open(kPort));
}

TEST_F(PortSharingTest, TheLineGetsItsSettingsBackAfterTheCommand) {
  const int probe = open(pty_.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(probe, 0);
  termios cooked{};
  ASSERT_EQ(tcgetattr(probe, &cooked), 0);
  cfsetospeed(&cooked, B9600);
  cfsetispeed(&cooked, B9600);
  cooked.c_lflag |= ICANON | ECHO;
  ASSERT_EQ(tcsetattr(probe, TCSANOW, &cooked), 0);
  close(probe);

  ASSERT_TRUE(port_.Open(kPort));
  const termios during = SlaveSettings();
  EXPECT_EQ(cfgetospeed(&during), B115200);
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u);
  port_.Close();
  const termios after = SlaveSettings();
  EXPECT_EQ(cfgetospeed(&after), B9600);
  EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
}

TEST_F(PortSharingTest, AFailedOpenSaysWhy) {
  ports_.Map(7, ports_.Folder() / "unplugged");
  const OpenResult missing = port_.Open(7);
  EXPECT_EQ(missing.status, OpenStatus::NoSuchPort);
  EXPECT_FALSE(missing.systemMessage.empty());
  EXPECT_EQ(port_.Open(129).status, OpenStatus::NoSuchPort);

  const std::filesystem::path plain = ports_.Folder() / "plain-file";
  std::ofstream(plain) << "x";
  EXPECT_EQ(port_.OpenPath(plain).status, OpenStatus::SettingsRefused);
  EXPECT_EQ(port_.OpenPath(plain).deviceName, plain.string());

  if (geteuid() != 0) {  // root opens anything
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read);
    EXPECT_EQ(port_.OpenPath(plain).status, OpenStatus::NoPermission);
  }

  ASSERT_TRUE(port_.Open(kPort));
  PosixSerialPort second;
  EXPECT_EQ(second.Open(kPort).status, OpenStatus::Busy);
}

}  // namespace
}  // namespace userdb
