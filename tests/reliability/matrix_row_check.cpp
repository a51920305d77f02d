#include "tests/reliability/matrix_row_check.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "device/download.h"
#include "device/serial_channel.h"
#include "device/update_mode.h"
#include "device/upload.h"
#include "tests/reliability/write_recovery.h"
#include "window/control_ids.h"

namespace userdb::test {
namespace {

constexpr std::array kLabels = {ids::kSerialNumberLabel, ids::kDatabaseVersionLabel, ids::kFirmwareVersionLabel,
                                ids::kHardwareVersionLabel};

std::size_t DifferingBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i] ? 1 : 0;
  return count;
}

std::string Bytes(std::size_t differing) {
  return std::to_string(differing) + (differing == 1 ? " byte differs" : " bytes differ");
}

std::vector<std::string> LabelTexts(const HeadlessWindow& window) {
  std::vector<std::string> texts;
  for (int label : kLabels) texts.push_back(window.TextOf(label));
  return texts;
}

// The labels a healthy connect shows for the sample device.
const std::vector<std::string>& HealthyLabels() {
  static const std::vector<std::string> labels = [] {
    PacedLine line;
    line.Run(Command::Connect);
    return LabelTexts(line.window);
  }();
  return labels;
}

std::string DescribeLabels(const std::vector<std::string>& before, const PacedLine& line) {
  const std::vector<std::string> after = LabelTexts(line.window);
  std::size_t changed = 0;
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    ++changed;
    wrong += after[i] != HealthyLabels()[i] ? 1 : 0;
  }
  if (changed == 0) return "port fixed, labels kept";
  if (wrong > 0) return "labels shown, not the device's";
  if (changed == after.size()) return "labels shown";
  return std::to_string(changed) + " of 4 labels shown";
}

std::string DescribeMemory(Command command, const WindowSnapshot& before, const std::vector<std::string>& labels,
                           const PacedLine& line) {
  const WindowSnapshot after = line.Snapshot();
  if (command == Command::Upload) {
    if (after.image != before.image) return "changed by the upload";
    return after.closed ? "kept, window closed" : "kept, window open";
  }
  if (after == before) return "unchanged";
  switch (command) {
    case Command::Connect:
    case Command::Scan:
      return DescribeLabels(labels, line);
    case Command::Download: {
      const std::vector<std::uint8_t> device = line.DeviceImage();
      const std::size_t differing = DifferingBytes(after.image, device);
      if (differing == 0) return "replaced by the device's";
      return "replaced; " + Bytes(differing) + " from the device's";
    }
    case Command::Upload:
      break;
  }
  return "?";
}

std::string DescribeDevice(const std::vector<std::uint8_t>& before, const TransferImage& sent,
                           const std::vector<std::uint8_t>& after) {
  if (after == before) return "unchanged";
  if (DifferingBytes(after, sent) == 0) return "holds the upload";
  return "changed; " + Bytes(DifferingBytes(after, sent)) + " from the upload";
}

// The command run once after the injection, as the row records it.
struct Observed {
  Duration elapsed{};
  bool succeeded = false;
  MatrixRow row;
  std::string nextLoad;  // for an upload that failed
};

constexpr const char* kNextLoadLead =
    "After each upload of the device faults above that failed, \"Load user database from device\"\n"
    "runs once more with the device healthy again, on the backups and the record of the write\n"
    "that the upload left; where it asks, the test answers \"Restore the backup from before\".\n"
    "Every row ends with the device holding the points from before or the upload, byte for byte.";

// Every upload is recorded until it reads back; one that fails must be put right on the next load.
bool ChecksTheNextLoad(const ExpectedRow& expected) {
  return expected.command == Command::Upload && !expected.succeeds && expected.section == MatrixSection::DeviceFaults;
}

Observed Observe(const ExpectedRow& expected, const std::function<void(PacedLine&)>& inject, Duration bound) {
  PacedLine line;
  if (ChecksTheNextLoad(expected)) line.KeepUserFiles();
  if (expected.command == Command::Download || expected.command == Command::Upload) line.Load();
  // An edit the device does not have yet, so that an upload that lands can be seen.
  line.state.database.Note(9)[0] = 'E';
  inject(line);

  const std::vector<std::uint8_t> deviceBefore = line.DeviceImage();
  const WindowSnapshot before = line.Snapshot();
  const std::vector<std::string> labels = LabelTexts(line.window);
  const TransferImage sent = line.state.database.Image();
  const CommandRun run = line.Run(expected.command);
  Observed observed{
      run.elapsed,
      run.succeeded,
      {expected.section, expected.fault, CommandName(expected.command), BoxTexts(run.boxes), Seconds(run.elapsed),
       Seconds(bound), line.PortClosed() ? "closed" : "open", DescribeDevice(deviceBefore, sent, line.DeviceImage()),
       DescribeMemory(expected.command, before, labels, line), ""},
      {}};
  if (ChecksTheNextLoad(expected)) observed.nextLoad = PutRightOnNextLoad(line, deviceBefore, sent);
  return observed;
}

}  // namespace

Duration Allowance(const Waits& waits) {
  Duration allowance = kReadLimit * waits.shortReads + kLullLimit * waits.silences +
                       kSuspectedEndLimit * waits.suspectedEnds + waits.pause;
  if (waits.writeStall) allowance += kWriteStallLimit + kReadLimit;
  if (waits.endMessage) allowance += kUpdateOverLimit + kReadLimit;
  if (waits.verdict) allowance += kUploadAnswerLimit + kReadLimit;
  return allowance;
}

void PrintTo(const ExpectedRow& expected, std::ostream* out) { *out << expected.name; }

void RunMatrixRow(const ExpectedRow& expected) { RunMatrixRow(expected, {expected.inject}); }

void RunMatrixRow(const ExpectedRow& expected, const std::vector<std::function<void(PacedLine&)>>& injects) {
  const int readings = expected.waits.readsTwice ? 2 : 1;
  const Duration bound = CleanTime(expected.command) * readings + Allowance(expected.waits);
  std::optional<Observed> longest;
  for (std::size_t i = 0; i < injects.size(); ++i) {
    SCOPED_TRACE("injection " + std::to_string(i));
    Observed observed = Observe(expected, injects[i], bound);
    const MatrixRow& row = observed.row;
    EXPECT_EQ(observed.succeeded, expected.succeeds);
    EXPECT_EQ(row.userSees, expected.userSees);
    EXPECT_LE(observed.elapsed, bound) << row.time << " against " << row.bound;
    EXPECT_EQ(row.port, "closed");
    EXPECT_EQ(row.device, expected.device);
    EXPECT_EQ(row.memory, expected.memory);
    if (!longest || observed.elapsed > longest->elapsed) longest = std::move(observed);
  }
  if (!longest) return;
  if (!longest->nextLoad.empty()) {
    FaultMatrix::Instance().AddNoteLine("Uploads that fail", kNextLoadLead,
                                        "- " + longest->row.fault + ": " + longest->nextLoad + ".");
  }
  FaultMatrix::Instance().Add(std::move(longest->row));
}

}  // namespace userdb::test
