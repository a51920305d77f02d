// A thousand back-to-back conversations through the real serial backend leave nothing behind:
// no file descriptor, no lock, no memory (the sanitizer build checks the last at exit).

#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "app/connect_command.h"
#include "app/download_command.h"
#include "app/main_form.h"
#include "app/upload_command.h"
#include "device/device_information.h"
#include "device/download.h"
#include "device/upload.h"
#include "platform/headless/headless_window.h"
#include "platform/posix/posix_serial_port.h"
#include "tests/reliability/fault_matrix.h"
#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kComNumber = 9;
constexpr int kCycles = 1000;
constexpr std::chrono::seconds kCeiling{240};

std::size_t OpenDescriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// Another program could take the port now: both of its locks are free.
bool PortIsFree() {
  PosixSerialPort other;
  return static_cast<bool>(other.Open(kComNumber));
}

using CleanUpOverPty = SimOnComPort;

TEST_F(CleanUpOverPty, AThousandCyclesLeaveNoDescriptorOrLockBehind) {
  StartSim(kComNumber, {"--erase-delay", "0"});
  PosixSerialPort port;
  ProgramState state(port);
  HeadlessWindow window;
  InitialiseMainForm(state, window);
  window.SelectPort(kComNumber - 1);

  const std::size_t descriptorsBefore = OpenDescriptors();
  const auto start = Clock::now();
  int completed = 0;
  for (; completed < kCycles; ++completed) {
    const bool connected = ConnectCommand(state, window);
    const bool downloaded = DownloadDatabase(state, window);
    const UploadOutcome uploaded = UploadDatabase(state, window);
    if (!connected || !downloaded || uploaded != UploadOutcome::Succeeded || port.IsOpen()) break;
  }
  const auto elapsed = Clock::now() - start;
  const std::size_t descriptorsAfter = OpenDescriptors();

  EXPECT_EQ(completed, kCycles) << "cycle " << completed << " failed: " << window.Boxes().back().text;
  EXPECT_EQ(descriptorsAfter, descriptorsBefore);
  EXPECT_TRUE(PortIsFree());
  EXPECT_LT(elapsed, kCeiling);
  FaultMatrix::Instance().AddNote(
      {"Clean-up",
       {std::to_string(kCycles) +
        " back-to-back cycles of connect, download and upload through the POSIX serial "
        "backend against `userdb-sim` on a pseudo-terminal: every one succeeded; the process held as many file "
        "descriptors after them as before; the port's lock (flock and TIOCEXCL) was free at the end, so another "
        "program could open it; the whole run stayed under " +
        Seconds(kCeiling) +
        " (real time). The sanitizer "
        "build runs the same cycles under LeakSanitizer, which fails the suite on any memory left behind."}});
}

}  // namespace
}  // namespace userdb::test
