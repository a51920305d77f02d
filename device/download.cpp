#include "device/download.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/control_ids.h"
#include "database/page_view.h"
#include "device/command_frames.h"
#include "device/line_texts.h"
#include "device/update_mode.h"
#include "device/user_messages.h"

namespace userdb {
namespace {

// How one entry of a list came in: whole, not at all (the list is over), or cut short.
enum class EntryRead { Complete, EndOfList, CutShort, Failed };

struct Entry {
  EntryRead outcome = EntryRead::Failed;
  std::size_t received = 0;
};

// Fewer notes than points looks more like a list cut off by a long lull than like the device's
// way, so such an end is believed only after a longer silence. A device that does send fewer
// notes only waits; one whose notes went on is read whole.
constexpr Patience kShortNotesPatience{kShortNotesGrace, kLullLimit};

Entry ReadListEntry(ProgramState& state, std::span<std::uint8_t> block, Patience patience = kThroughLulls) {
  const std::size_t count = state.channel.ReadBlock(block, patience);
  if (state.channel.LineLost()) return {EntryRead::Failed, count};
  if (count == block.size()) return {EntryRead::Complete, count};
  return {count == 0 ? EntryRead::EndOfList : EntryRead::CutShort, count};
}

bool ReadHeader(ProgramState& state, std::uint8_t& unit) {
  const auto header = std::span(state.transfer).first(kDownloadHeaderSize);
  if (ReadListEntry(state, header).outcome != EntryRead::Complete) return false;
  unit = header[kDownloadUnitOffset];
  return true;
}

bool ReadRecords(ProgramState& state, UserDatabase& received) {
  const auto block = std::span(state.transfer).first(kRecordSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const EntryRead outcome = ReadListEntry(state, block).outcome;
    if (outcome == EntryRead::EndOfList) return true;
    if (outcome != EntryRead::Complete) return false;
    std::copy(block.begin(), block.end(), received.Record(k).begin());
  }
  return true;
}

// The stream has no length or checksum. After the 256th note the device has nothing more to
// send but perhaps a message of its own, so other bytes mean a byte was inserted or repeated on
// the line and every block after it is shifted: such a database must not replace the one in
// memory. A full stream is judged by one read, which a shift fills at once.
bool StreamEndsAfterLastNote(ProgramState& state) {
  const auto trailing = std::span(state.transfer).first(kTrailingBytesRead);
  std::size_t count = state.channel.ReadBlock(trailing.first(1));
  if (count == 0) return !state.channel.LineLost();
  count += state.channel.ReadBlock(trailing.subspan(1), kThroughLulls);
  return !state.channel.LineLost() && count < trailing.size() && line::AreWholeDeviceTexts(trailing.first(count));
}

// Up to the last record that holds a point.
std::size_t PointsHeld(const UserDatabase& database) {
  std::size_t count = kRecordCount;
  while (count > 0 && database.Point(count - 1).IsEmpty()) --count;
  return count;
}

bool ReadNotes(ProgramState& state, UserDatabase& received) {
  const std::size_t points = PointsHeld(received);
  const auto block = std::span(state.transfer).first(kNoteSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    Entry entry = ReadListEntry(state, block);
    if (entry.outcome == EntryRead::EndOfList && k < points) entry = ReadListEntry(state, block, kShortNotesPatience);
    if (entry.outcome == EntryRead::EndOfList) return true;
    // A device may close a short list with a message of its own, followed by silence.
    if (entry.outcome == EntryRead::CutShort) return line::AreWholeDeviceTexts(block.first(entry.received));
    if (entry.outcome != EntryRead::Complete) return false;
    std::copy(block.begin(), block.end(), received.Note(k).begin());
  }
  return StreamEndsAfterLastNote(state);
}

// The program keeps every note with its point, so a note past the last point is more likely a
// list that went on after a long lull, read as notes, with everything after it shifted.
bool NotesFitThePoints(const UserDatabase& received) {
  for (std::size_t k = PointsHeld(received); k < kRecordCount; ++k) {
    const auto note = received.Note(k);
    if (std::any_of(note.begin(), note.end(), [](std::uint8_t byte) { return byte != 0xFF; })) return false;
  }
  return true;
}

bool ReadWholeDatabase(ProgramState& state, UserDatabase& received) {
  received.ClearRecords();
  received.ClearNotes();
  if (!SendThroughTransferBuffer(state, kReadRecordsFrame)) return false;
  state.transfer.fill(0xFF);
  if (!ReadHeader(state, received.speedUnit) || !ReadRecords(state, received)) return false;
  return SendThroughTransferBuffer(state, kReadNotesFrame) && ReadNotes(state, received);
}

// One conversation. Empty when the handshake failed (the user has been told); else whether
// both lists came in whole.
struct Reading {
  bool complete = false;
  UserDatabase database;
};

std::optional<Reading> ReadDevice(ProgramState& state, Window& window) {
  if (!EnterUpdateMode(state, window)) return std::nullopt;
  window.ShowProgress();  // the handshake's status stays up while the blocks come in
  Reading reading;
  reading.database.speedUnit = state.database.speedUnit;
  reading.complete = ReadWholeDatabase(state, reading.database);
  LeaveUpdateMode(state);
  return reading;
}

bool SameContents(const UserDatabase& a, const UserDatabase& b) {
  return a.Image() == b.Image() && a.speedUnit == b.speedUnit;
}

// Notes past the last point mean either a device that holds them so, or records that came after
// a long lull, read as notes. A second reading tells: a lull does not come back the same way.
std::optional<Reading> ReadTrustworthy(ProgramState& state, Window& window) {
  std::optional<Reading> first = ReadDevice(state, window);
  if (!first || !first->complete || NotesFitThePoints(first->database)) return first;
  std::optional<Reading> second = ReadDevice(state, window);
  if (second && second->complete && !NotesFitThePoints(second->database)) {
    second->complete = SameContents(first->database, second->database);
  }
  return second;
}

void EnableLoadedCommands(Window& window) {
  for (int id : {ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kExitAndWrite}) {
    window.Enable(id, true);
  }
}

// What the device held, before anything can be written over it. A copy that cannot be kept is
// told, but the download still counts.
void KeepBackup(ProgramState& state, Window& window) {
  if (state.backups == nullptr) return;
  if (const std::optional<std::string> problem = state.backups->Keep(state.database.Image(), state.serialNumber)) {
    window.ShowMessage({BoxOwner::None, *problem, std::string(kCaptionInfo), BoxKind::Ok});
  }
}

}  // namespace

bool DownloadDatabase(ProgramState& state, Window& window) {
  const std::optional<Reading> reading = ReadTrustworthy(state, window);
  if (!reading) return false;
  if (!reading->complete) {
    window.ShowMessage({BoxOwner::None, std::string(message::kDownloadFailed), std::string(kCaptionInfo), BoxKind::Ok});
    return false;
  }
  state.database.SetImage(reading->database.Image());
  state.database.speedUnit = reading->database.speedUnit;
  state.database.page.current = 0;
  ShowPage(state.database, window);
  EnableLoadedCommands(window);
  KeepBackup(state, window);
  return true;
}

}  // namespace userdb
