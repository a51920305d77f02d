// Transfers keep pace with the line: against a simulator paced at 115200 8N1, a full download
// and a full upload take no more than a few percent over the time their bytes need on the wire.

#include <algorithm>
#include <chrono>

#include "app/command_router.h"
#include "app/download_command.h"
#include "app/main_form.h"
#include "app/upload_command.h"
#include "device/download.h"
#include "device/upload.h"
#include "platform/headless/headless_window.h"
#include "platform/posix/posix_serial_port.h"
#include "tests/support/sim_on_com_port.h"
#include "window/control_ids.h"

namespace userdb::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kByteSeconds = 10.0 / 115200;  // start, 8 data and stop bits
constexpr int kEraseDelayMs = 200;
constexpr double kAllowedRatio = 1.05;
constexpr int kRuns = 3;

constexpr std::size_t kHandshakeBytes = 23 + 18 + 10;
constexpr std::size_t kDownloadBytes = kHandshakeBytes + 7 + 16 + 4096 + 7 + 32768 + 11;
constexpr std::size_t kUploadBytes = kHandshakeBytes + 7 + 36864 + 15 + 15 + 11;

class TransferPace : public SimOnComPort {
 protected:
  TransferPace() : state(port) { InitialiseMainForm(state, window); }

  // The median of several runs, as a multiple of the line's own time plus extraSeconds.
  template <typename Transfer>
  double MedianRatio(std::size_t bytes, double extraSeconds, Transfer transfer) {
    std::vector<double> ratios;
    for (int run = 0; run < kRuns; ++run) {
      const auto start = Clock::now();
      EXPECT_TRUE(transfer());
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      ratios.push_back(seconds / (static_cast<double>(bytes) * kByteSeconds + extraSeconds));
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
  }

  PosixSerialPort port;
  ProgramState state;
  HeadlessWindow window;
};

TEST_F(TransferPace, FullDownloadAndUploadKeepPaceWithTheLine) {
  StartSim(2, {"--paced", "--erase-delay", std::to_string(kEraseDelayMs)});
  // A full download waits one read limit after the last note, to prove the stream over.
  const double download = MedianRatio(kDownloadBytes, 0.1, [&] { return DownloadDatabase(state, window); });
  const double upload = MedianRatio(kUploadBytes, kEraseDelayMs / 1000.0,
                                    [&] { return UploadDatabase(state, window) == UploadOutcome::Succeeded; });
  EXPECT_LT(download, kAllowedRatio);
  EXPECT_LT(upload, kAllowedRatio);
  RecordProperty("download_ratio", std::to_string(download));
  RecordProperty("upload_ratio", std::to_string(upload));
}

}  // namespace
}  // namespace userdb::test
