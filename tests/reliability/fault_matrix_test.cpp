// The fault matrix, in-process: each row a test on the paced line and the virtual clock.

#include <gtest/gtest.h>

#include "app/user_messages.h"
#include "device/download.h"
#include "device/line_texts.h"
#include "device/serial_channel.h"
#include "sim/sample_memory.h"
#include "tests/reliability/matrix_row_check.h"
#include "tests/support/points_memory.h"

namespace userdb::test {
namespace {

using sim::LineDamage;
using sim::LineDirection;
using sim::LineEvent;
using sim::Phase;
using std::chrono::milliseconds;
using std::chrono::seconds;

const std::string kNoUpdateMode = "\"" + std::string(message::kNoUpdateMode) + "\"";
const std::string kNotResponding = "\"" + std::string(message::kNotResponding) + "\"";
const std::string kDownloadFailed = "\"" + std::string(message::kDownloadFailed) + "\"";
const std::string kUploaded = "\"" + std::string(message::kUploadSucceeded) + "\"";
const std::string kChecksumError = "\"" + std::string(message::kChecksumError) + "\"";

// Bytes the program writes before the image: the update request and the WriteDatabase frame.
constexpr std::size_t kImageStart = 18 + 7;
// Bytes the device sends before the first record: banner, update answer, download header.
constexpr std::size_t kRecordsStart = 23 + 10 + 16;
constexpr std::size_t kNotesStart = kRecordsStart + 256 * 16;

std::function<void(PacedLine&)> Device(std::function<void(sim::FaultPlan&)> change) {
  return [change](PacedLine& line) { change(line.device.Faults()); };
}

std::function<void(PacedLine&)> Line(std::vector<LineEvent> events) {
  return [events](PacedLine& line) { line.damage.SetEvents(events); };
}

LineEvent ToProgram(LineDamage damage, std::size_t atByte, Duration pause = {}) {
  return {LineDirection::ToProgram, damage, atByte, pause, 0x20};
}

LineEvent ToDevice(LineDamage damage, std::size_t atByte, Duration pause = {}) {
  return {LineDirection::ToDevice, damage, atByte, pause, 0x20};
}

// One fault for each of the three device commands, with the handshake's outcome.
void AddHandshakeFault(std::vector<ExpectedRow>& rows, const std::string& name, const std::string& fault,
                       const std::function<void(PacedLine&)>& inject, Waits waits) {
  rows.push_back({name + "Connect", MatrixSection::DeviceFaults, fault, Command::Connect, inject, false, kNoUpdateMode,
                  waits, "unchanged"});
  rows.push_back({name + "Download", MatrixSection::DeviceFaults, fault, Command::Download, inject, false,
                  kNoUpdateMode, waits, "unchanged"});
  rows.push_back({name + "Upload", MatrixSection::DeviceFaults, fault, Command::Upload, inject, false, kNoUpdateMode,
                  waits, "kept, window open"});
}

// A handshake that a pause on the line only delays: each of the three commands succeeds.
// The window writes, then reads back what it wrote: a fault of every handshake is met twice.
Waits InWriteAndReadBack(Waits waits) {
  waits.shortReads *= 2;
  waits.pause *= 2;
  return waits;
}

void AddHandshakeLull(std::vector<ExpectedRow>& rows, const std::string& name, const std::string& fault,
                      const std::function<void(PacedLine&)>& inject, Duration pause) {
  const Waits waits{.shortReads = 1, .pause = pause};
  rows.push_back({name + "Connect", MatrixSection::DeviceFaults, fault, Command::Connect, inject, true, "no message",
                  waits, "labels shown"});
  rows.push_back({name + "Download", MatrixSection::DeviceFaults, fault, Command::Download, inject, true, "no message",
                  waits, "replaced by the device's"});
  rows.push_back({name + "Upload", MatrixSection::DeviceFaults, fault, Command::Upload, inject, true, kUploaded,
                  InWriteAndReadBack(waits), "kept, window closed", "holds the upload"});
}

// Silence inside a record or note: ridden out up to the lull limit, a block cut short beyond it.
std::vector<ExpectedRow> StallRows() {
  const Duration longStall = kLullLimit + kReadLimit + milliseconds(100);
  std::vector<ExpectedRow> rows;
  for (const bool inNote : {false, true}) {
    const std::string block = inNote ? "note 7" : "record 3";
    const std::string name = inNote ? "StallInNote" : "StallInRecord";
    const auto stall = [inNote](sim::FaultPlan& f, Duration pause) {
      (inNote ? f.stallInNote : f.stallInRecord) = inNote ? 7 : 3;
      f.pause = pause;
    };
    rows.push_back({name,
                    MatrixSection::DeviceFaults,
                    "Stall of 250 ms inside " + block,
                    Command::Download,
                    Device([stall](auto& f) { stall(f, milliseconds(250)); }),
                    true,
                    "no message",
                    {.shortReads = 1, .pause = milliseconds(250)},
                    "replaced by the device's"});
    rows.push_back({"Long" + name,
                    MatrixSection::DeviceFaults,
                    "Stall of " + std::to_string(longStall / milliseconds(1)) + " ms inside " + block,
                    Command::Download,
                    Device([stall, longStall](auto& f) { stall(f, longStall); }),
                    false,
                    kDownloadFailed,
                    {.shortReads = 1, .silences = 1},
                    "unchanged"});
  }
  return rows;
}

std::function<void(PacedLine&)> FilledLists(std::vector<sim::Lull> lulls = {}, std::vector<std::uint8_t> after = {}) {
  return [lulls, after](PacedLine& line) {
    line.device.Lists() = sim::ListLength::Filled;
    line.device.Faults().lulls = lulls;
    line.device.Faults().afterNotes = after;
  };
}

// A device that sends only the points it holds, and lulls between blocks of either kind of device.
std::vector<ExpectedRow> ListRows() {
  const MatrixSection section = MatrixSection::DeviceFaults;
  const std::string only = "Only its " + std::to_string(sim::SamplePointCount()) + " points sent";
  const std::size_t last = sim::SamplePointCount() - 1;
  const std::size_t middle = sim::SamplePointCount() / 2;
  const Duration lull = milliseconds(300);
  const Duration longLull = kLullLimit + kReadLimit + milliseconds(200);
  const std::vector<std::uint8_t> updateOver(line::kUpdateOverMessage.begin(), line::kUpdateOverMessage.end());
  std::vector<ExpectedRow> rows{
      {"OnlyItsPoints",
       section,
       only,
       Command::Download,
       FilledLists(),
       true,
       "no message",
       {.silences = 2},
       "replaced by the device's"},
      {"OnlyItsPointsThenUpdateOver",
       section,
       only + ", then \"KT Update Over\"",
       Command::Download,
       FilledLists({}, updateOver),
       true,
       "no message",
       {.silences = 2},
       "replaced by the device's"},
      // Bytes after a short list may be records that came late: the download reads again.
      {"OnlyItsPointsThenNoise",
       section,
       only + ", then 3 bytes of noise",
       Command::Download,
       FilledLists({}, std::vector<std::uint8_t>(3, sim::kNoiseByte)),
       false,
       kDownloadFailed,
       {.shortReads = 2, .silences = 3, .suspectedEnds = 1, .readsTwice = true},
       "unchanged"},
      {"FullStreamThenUpdateOver",
       section,
       "All 256 sent, then \"KT Update Over\"",
       Command::Download,
       Device([updateOver](auto& f) { f.afterNotes = updateOver; }),
       true,
       "no message",
       {.silences = 1, .pause = sim::kPacedByteTime * 15},
       "replaced by the device's"},
      {"FullStreamThenNoise",
       section,
       "All 256 sent, then 3 bytes of noise",
       Command::Download,
       Device([](auto& f) { f.afterNotes.assign(3, sim::kNoiseByte); }),
       false,
       kDownloadFailed,
       {.silences = 1, .pause = sim::kPacedByteTime * 3},
       "unchanged"},
  };
  for (sim::Phase phase : {Phase::Records, Phase::Notes}) {
    const std::string kind = phase == Phase::Records ? "record " : "note ";
    for (std::size_t block : {std::size_t{0}, middle, last}) {
      rows.push_back({"OnlyItsPointsLullBefore" + std::string(PhaseName(phase)) + std::to_string(block),
                      section,
                      only + ", 300 ms lull before " + kind + std::to_string(block),
                      Command::Download,
                      FilledLists({{phase, block, lull}}),
                      true,
                      "no message",
                      {.silences = 2, .pause = lull},
                      "replaced by the device's"});
    }
    rows.push_back({"AllLullBefore" + std::string(PhaseName(phase)) + "128",
                    section,
                    "All 256 sent, 500 ms lull before " + kind + "128",
                    Command::Download,
                    Device([phase](auto& f) {
                      f.lulls = {{phase, 128, milliseconds(500)}};
                    }),
                    true,
                    "no message",
                    {.pause = milliseconds(500)},
                    "replaced by the device's"});
  }
  // The records left over fill whole notes: only more notes than records show the shift, and
  // the download reads the device again, waiting longer for the end of the records.
  rows.push_back({"OnlyItsPointsLongLullBeforeRecord",
                  section,
                  only + ", " + std::to_string(longLull / milliseconds(1)) + " ms lull before record " +
                      std::to_string(middle) + ", once",
                  Command::Download,
                  FilledLists({{Phase::Records, middle, longLull, true}}),
                  true,
                  "no message",
                  {.silences = 2, .suspectedEnds = 1, .pause = longLull, .readsTwice = true},
                  "replaced by the device's"});
  rows.push_back(
      {"OnlyItsPointsLongLullBeforeNote",
       section,
       only + ", " + std::to_string(longLull / milliseconds(1)) + " ms lull before note " + std::to_string(middle),
       Command::Download,
       FilledLists({{Phase::Notes, middle, longLull}}),
       true,
       "no message",
       {.silences = 2, .pause = longLull},
       "replaced by the device's"});
  return rows;
}

std::function<void(PacedLine&)> DeviceWithLull(std::size_t points, sim::Lull lull) {
  return [points, lull](PacedLine& line) {
    line.device.Memory() = MemoryWithPoints(points);
    line.device.Lists() = points == kRecordCount ? sim::ListLength::All : sim::ListLength::Filled;
    line.device.Faults().lulls = {lull};
  };
}

// What a lull before a block may cost the download: ridden out where it comes, or, where it cut
// the records off, a second reading that waits longer for their end. Beyond that longer wait the
// lull is given up on: each list's end may cost the wait in each of two readings.
Waits LullWaits(Phase phase, Duration pause, bool everyTime) {
  if (pause >= kSuspectedEndLimit) return {.silences = 2, .suspectedEnds = 4, .readsTwice = true};
  if (pause <= kLullLimit || phase == Phase::Notes) return {.silences = 2, .pause = pause};
  return {.silences = 2, .suspectedEnds = 1, .pause = pause * (everyTime ? 2 : 1), .readsTwice = true};
}

std::string LullFault(std::size_t points, std::size_t step, Phase phase, Duration pause, bool everyTime) {
  const std::string sent =
      points == kRecordCount ? "All 256 points sent" : "Only its " + std::to_string(points) + " points sent";
  const std::string kind = phase == Phase::Records ? "records" : "notes";
  return sent + ", " + std::to_string(pause / milliseconds(1)) + " ms lull before each of " + kind + " 0, " +
         std::to_string(step) + ", ..., " + std::to_string(points - step) + " in turn, " +
         (everyTime ? "in every conversation" : "once");
}

// A row run once for each of several injections.
struct EachRow {
  ExpectedRow row;
  std::vector<std::function<void(PacedLine&)>> injects;
};

void PrintTo(const EachRow& each, std::ostream* out) { *out << each.row.name; }

// A device that pauses before one block at a time, as a radio link may, or its flash at a page
// boundary, at the same place in every conversation: within the longer wait the download gives
// the device's database, beyond it fails, and never keeps a database that is not the device's.
// The 60 points are paused before every fourth block, which includes every place where the
// records left over fill whole notes; all 256 leave records over wherever the pause comes.
std::vector<EachRow> LullGridRows() {
  const Duration beyondTheWait = kSuspectedEndLimit + seconds(1);
  std::vector<EachRow> rows;
  for (const auto& [points, step] : {std::pair<std::size_t, std::size_t>{60, 4}, {kRecordCount, 32}}) {
    for (Phase phase : {Phase::Records, Phase::Notes}) {
      for (Duration pause : {Duration(milliseconds(300)), Duration(milliseconds(700)), Duration(milliseconds(1200)),
                             Duration(milliseconds(2500)), Duration(seconds(3)), beyondTheWait}) {
        for (bool everyTime : {false, true}) {
          const bool succeeds = !everyTime || pause < kSuspectedEndLimit;
          EachRow each{{"Lull" + std::to_string(points) + "Points" + std::string(PhaseName(phase)) +
                            std::to_string(pause / milliseconds(1)) + "ms" + (everyTime ? "EveryTime" : "Once"),
                        MatrixSection::Lulls, LullFault(points, step, phase, pause, everyTime), Command::Download,
                        nullptr, succeeds, succeeds ? "no message" : kDownloadFailed,
                        LullWaits(phase, pause, everyTime), succeeds ? "replaced by the device's" : "unchanged"},
                       {}};
          for (std::size_t block = 0; block < points; block += step) {
            each.injects.push_back(DeviceWithLull(points, {phase, block, pause, !everyTime}));
          }
          rows.push_back(std::move(each));
        }
      }
    }
  }
  return rows;
}

// As measured against another device: 60 points and a pause before record 20 in every
// conversation; the 40 records after it fill exactly five notes and nothing is left over.
void AddMeasuredLulls(std::vector<ExpectedRow>& rows) {
  for (Duration pause : {Duration(milliseconds(700)), Duration(milliseconds(1200)), Duration(milliseconds(2500))}) {
    rows.push_back({"OnlyItsPointsLullBeforeRecord20EveryTime" + std::to_string(pause / milliseconds(1)) + "ms",
                    MatrixSection::Lulls,
                    "Only its 60 points sent, " + std::to_string(pause / milliseconds(1)) +
                        " ms lull before record 20 in every conversation",
                    Command::Download, DeviceWithLull(60, {Phase::Records, 20, pause}), true, "no message",
                    LullWaits(Phase::Records, pause, true), "replaced by the device's"});
  }
}

std::vector<ExpectedRow> DeviceFaultRows() {
  std::vector<ExpectedRow> rows;
  AddHandshakeFault(rows, "SilentDevice", "Silent device", Device([](auto& f) { f.silent = true; }),
                    {.shortReads = 1, .silences = 1});
  const auto noBanner = Device([](auto& f) { f.noBanner = true; });
  rows.push_back({"NoBannerConnect",
                  MatrixSection::DeviceFaults,
                  "No banner",
                  Command::Connect,
                  noBanner,
                  true,
                  "no message",
                  {.shortReads = 1},
                  "labels shown"});
  rows.push_back({"NoBannerDownload",
                  MatrixSection::DeviceFaults,
                  "No banner",
                  Command::Download,
                  noBanner,
                  true,
                  "no message",
                  {.shortReads = 1},
                  "replaced by the device's"});
  rows.push_back({"NoBannerUpload", MatrixSection::DeviceFaults, "No banner", Command::Upload, noBanner, true,
                  kUploaded, InWriteAndReadBack({.shortReads = 1}), "kept, window closed", "holds the upload"});
  AddHandshakeFault(rows, "WrongAnswer", "Wrong answer (\"KT GPS-BT\")", Device([](auto& f) { f.wrongAnswer = true; }),
                    {});
  AddHandshakeFault(rows, "ShortAnswer", "Short answer (no zero byte)",
                    Device([](auto& f) { f.answerWithoutZero = true; }), {.shortReads = 1, .silences = 1});
  AddHandshakeFault(rows, "GarbageBeforeAnswer", "Garbage before the update answer (1 byte)", Device([](auto& f) {
                      f.garbageBefore = sim::PhaseCount{Phase::Handshake, 1};
                    }),
                    {});
  AddHandshakeLull(rows, "SplitAnswer", "Update answer split, 250 ms between halves",
                   Device([](auto& f) { f.splitTextsIn = Phase::Handshake; }), milliseconds(250));
  rows.push_back({"GarbageBeforeBanner",
                  MatrixSection::DeviceFaults,
                  "Garbage before the banner (1 byte)",
                  Command::Connect,
                  Device([](auto& f) {
                    f.garbageBefore = sim::PhaseCount{Phase::Banner, 1};
                  }),
                  false,
                  kNoUpdateMode,
                  {},
                  "unchanged"});
  AddHandshakeLull(rows, "SplitBanner", "Banner split, 250 ms between halves",
                   Device([](auto& f) { f.splitTextsIn = Phase::Banner; }), milliseconds(250));
  rows.push_back({"GarbageBeforeInfo",
                  MatrixSection::DeviceFaults,
                  "Garbage before the device information (1 byte)",
                  Command::Connect,
                  Device([](auto& f) {
                    f.garbageBefore = sim::PhaseCount{Phase::Info, 1};
                  }),
                  true,
                  "no message",
                  {.shortReads = 1},
                  "labels shown, not the device's"});
  rows.push_back({"SplitEndMessage",
                  MatrixSection::DeviceFaults,
                  "\"KT Update Over\" split, 250 ms between halves",
                  Command::Connect,
                  Device([](auto& f) { f.splitTextsIn = Phase::Info; }),
                  true,
                  "no message",
                  {.shortReads = 1, .pause = milliseconds(250)},
                  "labels shown"});
  rows.push_back({"InfoWithFF",
                  MatrixSection::DeviceFaults,
                  "Device information with 0xFF in byte 0",
                  Command::Connect,
                  Device([](auto& f) { f.infoBytesFF.set(0); }),
                  true,
                  "no message",
                  {},
                  "1 of 4 labels shown"});
  rows.push_back({"NoEndMessageConnect",
                  MatrixSection::DeviceFaults,
                  "No end message (\"KT Update Over\")",
                  Command::Connect,
                  Device([](auto& f) { f.noUpdateOver = true; }),
                  false,
                  kNotResponding,
                  {.endMessage = true},
                  "labels shown"});
  rows.push_back({"NoEndMessageDownload",
                  MatrixSection::DeviceFaults,
                  "No end message (\"KT Update Over\")",
                  Command::Download,
                  Device([](auto& f) { f.noUpdateOver = true; }),
                  true,
                  "no message",
                  {},
                  "replaced by the device's"});
  rows.push_back({"NoEndMessageUpload",
                  MatrixSection::DeviceFaults,
                  "No end message (\"KT Update Over\")",
                  Command::Upload,
                  Device([](auto& f) { f.noUpdateOver = true; }),
                  false,
                  kNotResponding,
                  {.verdict = true},
                  "kept, window open",
                  "holds the upload"});
  rows.push_back({"GarbageBeforeRecords",
                  MatrixSection::DeviceFaults,
                  "Garbage before the download header (1 byte)",
                  Command::Download,
                  Device([](auto& f) {
                    f.garbageBefore = sim::PhaseCount{Phase::Records, 1};
                  }),
                  false,
                  kDownloadFailed,
                  {.shortReads = 1, .silences = 1},
                  "unchanged"});
  rows.push_back({"ShortLists",
                  MatrixSection::DeviceFaults,
                  "Lists end early (40 records, 40 notes)",
                  Command::Download,
                  Device([](auto& f) {
                    f.stopAfterRecords = 40;
                    f.stopAfterNotes = 40;
                  }),
                  true,
                  "no message",
                  {.silences = 2},
                  "replaced by the device's"});
  for (auto&& more : {StallRows(), ListRows()}) rows.insert(rows.end(), more.begin(), more.end());
  AddMeasuredLulls(rows);
  rows.push_back({"ChecksumError",
                  MatrixSection::DeviceFaults,
                  "Checksum error",
                  Command::Upload,
                  Device([](auto& f) { f.checksumError = true; }),
                  false,
                  kChecksumError,
                  {},
                  "kept, window open"});
  // A write that breaks off leaves the device empty; the window keeps the points, so one more
  // "EXIT and write to  Device" puts them back.
  for (const std::size_t after : {std::size_t{0}, std::size_t{640}, std::size_t{20000}, kImageSize - 1}) {
    rows.push_back({"TornWriteAfter" + std::to_string(after),
                    MatrixSection::DeviceFaults,
                    "Write breaks off after " + std::to_string(after) + " image bytes, flash erased",
                    Command::Upload,
                    Device([after](auto& f) { f.tornWriteAfter = after; }),
                    false,
                    kNotResponding,
                    {},
                    "kept, window open",
                    "changed; 1094 bytes differ from the upload"});
  }
  rows.push_back({"StoresAByteWrong",
                  MatrixSection::DeviceFaults,
                  "Confirms the image but stores one byte wrong",
                  Command::Upload,
                  Device([](auto& f) { f.storeWrongByte = 100; }),
                  false,
                  "\"" + std::string(message::kReadBackDiffersPrefix) +
                      "offset 100 (record 6, byte 4 (latitude)): sent 0x2C, read back 0xD3" +
                      std::string(message::kReadBackDiffersSuffix) + "\"",
                  {},
                  "kept, window open",
                  "changed; 1 byte differs from the upload"});
  rows.push_back({"GarbageBeforeVerdict",
                  MatrixSection::DeviceFaults,
                  "Garbage before the verdict (1 byte)",
                  Command::Upload,
                  Device([](auto& f) {
                    f.garbageBefore = sim::PhaseCount{Phase::Verdict, 1};
                  }),
                  true,
                  kUploaded,
                  {.shortReads = 1},
                  "kept, window closed",
                  "holds the upload"});
  rows.push_back({"SplitVerdict",
                  MatrixSection::DeviceFaults,
                  "Verdict split, 250 ms between halves",
                  Command::Upload,
                  Device([](auto& f) { f.splitTextsIn = Phase::Verdict; }),
                  true,
                  kUploaded,
                  {.shortReads = 2, .pause = milliseconds(500)},
                  "kept, window closed",
                  "holds the upload"});
  return rows;
}

std::function<void(PacedLine&)> HangUp(Phase phase, std::size_t afterByte) {
  return Device([phase, afterByte](auto& f) { f.hangUpAfter = sim::PhaseCount{phase, afterByte}; });
}

std::vector<ExpectedRow> HangUpRows() {
  std::vector<ExpectedRow> rows;
  AddHandshakeFault(rows, "HangUpInBanner", "Hang-up in the banner (after byte 10)", HangUp(Phase::Banner, 10), {});
  AddHandshakeFault(rows, "HangUpInAnswer", "Hang-up in the update answer (after byte 5)", HangUp(Phase::Handshake, 5),
                    {});
  const auto afterAnswer = HangUp(Phase::Handshake, 10);
  const std::string fault = "Hang-up right after the update answer";
  rows.push_back({"HangUpAfterAnswerConnect",
                  MatrixSection::DeviceFaults,
                  fault,
                  Command::Connect,
                  afterAnswer,
                  false,
                  kNotResponding,
                  {},
                  "port fixed, labels kept"});
  rows.push_back({"HangUpAfterAnswerDownload",
                  MatrixSection::DeviceFaults,
                  fault,
                  Command::Download,
                  afterAnswer,
                  false,
                  kDownloadFailed,
                  {},
                  "unchanged"});
  rows.push_back({"HangUpAfterAnswerUpload",
                  MatrixSection::DeviceFaults,
                  fault,
                  Command::Upload,
                  afterAnswer,
                  false,
                  kNotResponding,
                  {},
                  "kept, window open"});
  rows.push_back({"HangUpInInfo",
                  MatrixSection::DeviceFaults,
                  "Hang-up in the device information (after byte 30)",
                  Command::Connect,
                  HangUp(Phase::Info, 30),
                  false,
                  kNotResponding,
                  {},
                  "port fixed, labels kept"});
  rows.push_back({"HangUpInRecords",
                  MatrixSection::DeviceFaults,
                  "Hang-up in the records (after byte 100)",
                  Command::Download,
                  HangUp(Phase::Records, 100),
                  false,
                  kDownloadFailed,
                  {},
                  "unchanged"});
  rows.push_back({"HangUpInNotes",
                  MatrixSection::DeviceFaults,
                  "Hang-up in the notes (after byte 4000)",
                  Command::Download,
                  HangUp(Phase::Notes, 4000),
                  false,
                  kDownloadFailed,
                  {},
                  "unchanged"});
  rows.push_back({"HangUpInImage",
                  MatrixSection::DeviceFaults,
                  "Hang-up in the image (after byte 20000 taken)",
                  Command::Upload,
                  HangUp(Phase::Upload, 20000),
                  false,
                  kNotResponding,
                  {},
                  "kept, window open"});
  rows.push_back({"HangUpInVerdict",
                  MatrixSection::DeviceFaults,
                  "Hang-up in the verdict (after byte 5)",
                  Command::Upload,
                  HangUp(Phase::Verdict, 5),
                  false,
                  kNotResponding,
                  {},
                  "kept, window open",
                  "holds the upload"});
  return rows;
}

std::vector<ExpectedRow> LineDamageRows() {
  const MatrixSection section = MatrixSection::LineDamage;
  return {
      {"StallAtTheRequest",
       section,
       "Port takes nothing for 3 s from the update request on",
       Command::Connect,
       Line({ToDevice(LineDamage::Pause, 0, seconds(3))}),
       false,
       kNoUpdateMode,
       {.writeStall = true},
       "unchanged"},
      {"StallInTheImage",
       section,
       "Port takes nothing for 3 s from image byte 1000 on",
       Command::Upload,
       Line({ToDevice(LineDamage::Pause, kImageStart + 1000, seconds(3))}),
       false,
       kNotResponding,
       {.writeStall = true},
       "kept, window open"},
      {"ShortStallInTheImage",
       section,
       "Port takes nothing for 1 s at image byte 20000",
       Command::Upload,
       Line({ToDevice(LineDamage::Pause, kImageStart + 20000, seconds(1))}),
       true,
       kUploaded,
       {.shortReads = 1, .pause = seconds(1)},
       "kept, window closed",
       "holds the upload"},
      {"ImageByteCorrupted",
       section,
       "One image byte corrupted",
       Command::Upload,
       Line({ToDevice(LineDamage::Corrupt, kImageStart + 5000)}),
       false,
       kChecksumError,
       {},
       "kept, window open"},
      {"ImageByteLost",
       section,
       "One image byte lost",
       Command::Upload,
       Line({ToDevice(LineDamage::Drop, kImageStart + 30000)}),
       false,
       kNotResponding,
       {.verdict = true},
       "kept, window open"},
      {"LineDropsInTheImage",
       section,
       "Line drops at image byte 20000",
       Command::Upload,
       Line({ToDevice(LineDamage::HangUp, kImageStart + 20000)}),
       false,
       kNotResponding,
       {},
       "kept, window open"},
      {"RecordByteCorrupted",
       section,
       "One record byte corrupted",
       Command::Download,
       Line({ToProgram(LineDamage::Corrupt, kRecordsStart + 100)}),
       true,
       "no message",
       {},
       "replaced; 1 byte differs from the device's"},
      {"RecordByteRepeated",
       section,
       "One record byte repeated",
       Command::Download,
       Line({ToProgram(LineDamage::Duplicate, kRecordsStart + 100)}),
       false,
       kDownloadFailed,
       {.shortReads = 1, .silences = 1},
       "unchanged"},
      {"NoteByteLost",
       section,
       "One note byte lost",
       Command::Download,
       Line({ToProgram(LineDamage::Drop, kNotesStart + 1000)}),
       false,
       kDownloadFailed,
       {.shortReads = 1, .silences = 1},
       "unchanged"},
      {"PauseInRecord",
       section,
       "Line pauses 500 ms inside a record",
       Command::Download,
       Line({ToProgram(LineDamage::Pause, kRecordsStart + 100, milliseconds(500))}),
       true,
       "no message",
       {.shortReads = 1, .pause = milliseconds(500)},
       "replaced by the device's"},
      {"LongPauseInRecord",
       section,
       "Line pauses 900 ms inside a record",
       Command::Download,
       Line({ToProgram(LineDamage::Pause, kRecordsStart + 100, milliseconds(900))}),
       false,
       kDownloadFailed,
       {.shortReads = 1, .silences = 1},
       "unchanged"},
      {"PauseBetweenRecords",
       section,
       "Line pauses 500 ms between two records",
       Command::Download,
       Line({ToProgram(LineDamage::Pause, kRecordsStart + 96, milliseconds(500))}),
       true,
       "no message",
       {.pause = milliseconds(500)},
       "replaced by the device's"},
      {"PauseBeforeTheHeader",
       section,
       "Line pauses 500 ms before the download header",
       Command::Download,
       Line({ToProgram(LineDamage::Pause, kRecordsStart - 16, milliseconds(500))}),
       true,
       "no message",
       {.pause = milliseconds(500)},
       "replaced by the device's"},
  };
}

std::vector<ExpectedRow> PortRows() {
  const auto held = [](PacedLine& line) { line.port.AddHeldPort(PacedLine::kDevicePort); };
  const std::string fault = "Port held by another program";
  const std::string refused = "\"Can not Open COM2\"";
  return {
      {"HeldPortConnect", MatrixSection::Ports, fault, Command::Connect, held, false, refused, {}, "unchanged"},
      {"HeldPortDownload", MatrixSection::Ports, fault, Command::Download, held, false, refused, {}, "unchanged"},
      {"HeldPortUpload", MatrixSection::Ports, fault, Command::Upload, held, false, refused, {}, "kept, window open"},
      {"HeldPortScan",
       MatrixSection::Ports,
       fault,
       Command::Scan,
       held,
       false,
       "\"" + std::string(message::kAutoScanNotFound) + "\"",
       {},
       "unchanged"},
  };
}

std::vector<ExpectedRow> AllRows() {
  std::vector<ExpectedRow> rows = DeviceFaultRows();
  for (auto&& more : {HangUpRows(), LineDamageRows(), PortRows()}) rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

class FaultMatrixRow : public ::testing::TestWithParam<ExpectedRow> {};

TEST_P(FaultMatrixRow, EndsWithinItsBoundAndLosesNothing) { RunMatrixRow(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Matrix, FaultMatrixRow, ::testing::ValuesIn(AllRows()),
                         [](const ::testing::TestParamInfo<ExpectedRow>& info) { return info.param.name; });

class FaultMatrixEachRow : public ::testing::TestWithParam<EachRow> {};

TEST_P(FaultMatrixEachRow, EndsWithinItsBoundAndNeverKeepsAWrongDatabase) {
  RunMatrixRow(GetParam().row, GetParam().injects);
}

INSTANTIATE_TEST_SUITE_P(Matrix, FaultMatrixEachRow, ::testing::ValuesIn(LullGridRows()),
                         [](const ::testing::TestParamInfo<EachRow>& info) { return info.param.row.name; });

}  // namespace
}  // namespace userdb::test
