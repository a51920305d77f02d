// Seeded random line damage: a few hundred user sessions (connect, download, edit, upload, each
// tried again after a failure), every conversation on a line damaged at random points. Each
// command is held to the program's invariants; a failure names its seed, and
// USERDB_FAULT_SEED=N runs that seed alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "app/user_messages.h"
#include "device/update_mode.h"
#include "device/upload.h"
#include "sim/random_faults.h"
#include "tests/reliability/fault_matrix.h"
#include "tests/reliability/matrix_row_check.h"
#include "tests/reliability/paced_line.h"
#include "window/control_ids.h"

namespace userdb::test {
namespace {

constexpr std::uint64_t kFirstSeed = 1;
constexpr std::uint64_t kSeedCount = 300;
constexpr int kTries = 3;  // a user tries a failed command again, up to this often

// Every wait a damaged conversation may cost: the reads its damage cuts short, any pause or
// stall it puts on the line, and the command's own longest limit.
// A device that sends only its points ends each of its two lists with a silence. A download
// whose lists look cut off waits longer for the end of each, in either of its readings.
Duration DamageAllowance(Command command, const std::vector<sim::LineEvent>& events, sim::ListLength lists) {
  const int damage = static_cast<int>(events.size());
  Waits waits{.shortReads = 2 * damage, .silences = 2 * damage};
  if (command == Command::Download && lists == sim::ListLength::Filled) waits.silences += 2;
  if (command == Command::Download) waits.suspectedEnds = 2;
  for (const sim::LineEvent& event : events) {
    if (event.damage != sim::LineDamage::Pause) continue;
    if (event.direction == sim::LineDirection::ToProgram) {
      waits.pause += event.pause;
    } else {
      waits.pause += std::min<Duration>(event.pause, kWriteStallLimit);
      waits.shortReads += 1;
    }
  }
  waits.endMessage = command == Command::Connect;
  waits.verdict = command == Command::Upload;
  return Allowance(waits);
}

struct Tally {
  std::map<std::string, int> outcomes;  // "command: outcome" -> count
  int conversations = 0;
  int sessions = 0;
  int uploadsLanded = 0;
  int lullOnly = 0;    // conversations damaged by lulls alone
  Duration longest{};  // the longest command, and its bound
  Duration longestBound{};
  std::string longestCommand;
};

class Session {
 public:
  // Odd seeds play a device that sends only the points it holds, even ones all 256 entries.
  Session(std::uint64_t seed, Tally& tally) : faults_(seed), random_(~seed), tally_(tally) {
    line_.port.SetLineFaults(&faults_);
    if (seed % 2 == 1) line_.device.Lists() = sim::ListLength::Filled;
  }

  void Run() {
    ++tally_.sessions;
    for (int i = 0; i < kTries && !Try(Command::Connect); ++i) {
    }
    if (!line_.window.IsEnabled(ids::kLoadDatabase)) return;
    for (int i = 0; i < kTries && !Try(Command::Download); ++i) {
    }
    if (line_.window.TextOf(ids::kPageLabel) != "Page 0") return;
    Edit();
    for (int i = 0; i < kTries && !line_.window.IsClosed(); ++i) Try(Command::Upload);
  }

 private:
  // A user's change to a point and its note, so that an upload that lands shows.
  void Edit() {
    const std::size_t point = static_cast<std::size_t>(random_.Below(kRecordCount));
    line_.state.database.SetPoint(point, UserPoint{static_cast<std::uint32_t>(random_.Below(64800000)),
                                                   static_cast<std::uint32_t>(random_.Below(32400000)), 50, 90, 1});
    std::fill(line_.state.database.Note(point).begin(), line_.state.database.Note(point).end(), 0);
    line_.state.database.Note(point)[0] = 'R';
  }

  bool Try(Command command) {
    const WindowSnapshot before = line_.Snapshot();
    const std::vector<std::uint8_t> deviceBefore = line_.DeviceImage();
    const std::size_t conversationsBefore = faults_.Drawn().size();
    const CommandRun run = line_.Run(command);
    // A download whose first reading looked cut off reads the device again.
    const std::vector<std::vector<sim::LineEvent>> conversations(
        faults_.Drawn().begin() + static_cast<std::ptrdiff_t>(conversationsBefore), faults_.Drawn().end());
    const auto all = [&conversations](bool (*test)(const std::vector<sim::LineEvent>&)) {
      return std::all_of(conversations.begin(), conversations.end(), test);
    };
    const bool clean = all([](const std::vector<sim::LineEvent>& events) { return events.empty(); });
    const bool lullsOnly = all(sim::OnlyLulls);
    std::string damage;
    Duration bound{};
    for (const std::vector<sim::LineEvent>& events : conversations) {
      damage += (damage.empty() ? "" : "; then ") + sim::Describe(events);
      bound += CleanTime(command) + DamageAllowance(command, events, line_.device.Lists());
    }
    SCOPED_TRACE(CommandName(command) + " on a line with " + damage);
    tally_.conversations += static_cast<int>(conversations.size());
    tally_.outcomes[CommandName(command) + (run.succeeded ? ": succeeded" : ": " + BoxTexts(run.boxes))]++;

    EXPECT_LE(run.elapsed, bound) << Seconds(run.elapsed) << " against " << Seconds(bound);
    if (run.elapsed > tally_.longest) {
      tally_.longest = run.elapsed;
      tally_.longestBound = bound;
      tally_.longestCommand = CommandName(command);
    }
    EXPECT_FALSE(conversations.empty());
    // A download may read the device twice; an upload is the write, then its read-back.
    const std::size_t mostConversations = command == Command::Download ? 2 : command == Command::Upload ? 3 : 1;
    EXPECT_LE(conversations.size(), mostConversations) << conversations.size() << " conversations";
    EXPECT_TRUE(line_.PortClosed());
    if (clean) {
      EXPECT_TRUE(run.succeeded) << "a healthy conversation must succeed";
    } else if (lullsOnly) {
      ++tally_.lullOnly;
      EXPECT_TRUE(run.succeeded) << "lulls of a radio link must cost nothing but time";
    }

    switch (command) {
      case Command::Connect:
        break;
      case Command::Download:
        CheckDownload(run, before);
        break;
      case Command::Upload:
        CheckUpload(run, before, deviceBefore);
        break;
      case Command::Scan:
        break;
    }
    return run.succeeded;
  }

  void CheckDownload(const CommandRun& run, const WindowSnapshot& before) {
    if (!run.succeeded) {
      EXPECT_EQ(line_.Snapshot(), before) << "a failed download changed the database or the window";
    } else if (std::all_of(faults_.Drawn().end() - 1, faults_.Drawn().end(), sim::OnlyLulls)) {
      const TransferImage loaded = line_.state.database.Image();
      const std::vector<std::uint8_t> image(loaded.begin(), loaded.end());
      EXPECT_EQ(image, line_.DeviceImage()) << "a download through lulls must bring the device's exact image";
    }
  }

  void CheckUpload(const CommandRun& run, const WindowSnapshot& before, const std::vector<std::uint8_t>& deviceBefore) {
    const WindowSnapshot after = line_.Snapshot();
    EXPECT_EQ(after.image, before.image) << "the upload changed the database in memory";
    const std::vector<std::uint8_t> sent(before.image.begin(), before.image.end());
    if (run.succeeded) {
      ++tally_.uploadsLanded;
      EXPECT_EQ(line_.DeviceImage(), sent) << "success reported, but the device holds another image";
      EXPECT_TRUE(after.closed);
      return;
    }
    EXPECT_FALSE(after.closed) << "a failed upload closed the window";
    ASSERT_FALSE(run.boxes.empty()) << "a failed upload told the user nothing";
    EXPECT_NE(run.boxes.back().text, message::kUploadSucceeded);
    if (line_.DeviceImage() != deviceBefore) {
      // The device may take an image it never confirmed, or confirm one that does not read
      // back: either way the user is told to try again.
      const std::string& told = run.boxes.back().text;
      EXPECT_TRUE(told == message::kNotResponding || told == message::kReadBackFailed ||
                  told.starts_with(message::kReadBackDiffersPrefix))
          << told;
    }
  }

  PacedLine line_;
  sim::RandomFaults faults_;
  sim::SeededRandom random_;
  Tally& tally_;
};

std::vector<std::uint64_t> Seeds() {
  if (const char* replay = std::getenv("USERDB_FAULT_SEED")) return {std::strtoull(replay, nullptr, 10)};
  std::vector<std::uint64_t> seeds;
  for (std::uint64_t seed = kFirstSeed; seed < kFirstSeed + kSeedCount; ++seed) seeds.push_back(seed);
  return seeds;
}

MatrixNote Summary(const Tally& tally) {
  MatrixNote note{"Random line damage", {}};
  note.lines.push_back("Seeds " + std::to_string(kFirstSeed) + " to " + std::to_string(kFirstSeed + kSeedCount - 1) +
                       ": " + std::to_string(tally.sessions) +
                       " sessions of a user who connects, downloads, edits a "
                       "point and uploads, half of them with a device that sends only the points it holds, "
                       "trying each failed command again up to " +
                       std::to_string(kTries) + " times; " + std::to_string(tally.conversations) +
                       " conversations, each on a line with up "
                       "to three random drops, repeats, corruptions, pauses, port stalls or hang-ups, or with up to "
                       "three lulls of at most " +
                       std::to_string(sim::kLongestLullMs) + " ms alone (" + std::to_string(tally.lullOnly) +
                       " conversations, every one of which succeeded, each download with the device's exact "
                       "image). Every command ended within its bound (the longest, " +
                       tally.longestCommand + ", took " + Seconds(tally.longest) + " against " +
                       Seconds(tally.longestBound) +
                       ") with the port "
                       "closed; no failed download changed the database or the window; no upload changed the "
                       "database in memory, and " +
                       std::to_string(tally.uploadsLanded) +
                       " reported success, each "
                       "with the device holding exactly the image sent.");
  note.lines.push_back("");
  note.lines.push_back("| Command: outcome | Conversations |");
  note.lines.push_back("|---|---|");
  for (const auto& [outcome, count] : tally.outcomes)
    note.lines.push_back("| " + outcome + " | " + std::to_string(count) + " |");
  return note;
}

TEST(RandomLineDamage, EveryCommandKeepsTheInvariants) {
  Tally tally;
  for (std::uint64_t seed : Seeds()) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " (replay: USERDB_FAULT_SEED=" + std::to_string(seed) + ")");
    Session(seed, tally).Run();
    if (HasFailure()) break;  // the first failing seed is the one to replay
  }
  if (!std::getenv("USERDB_FAULT_SEED")) FaultMatrix::Instance().AddNote(Summary(tally));
}

}  // namespace
}  // namespace userdb::test
