#include "device/download.h"

#include <algorithm>
#include <optional>

#include "device/command_frames.h"
#include "device/line_texts.h"
#include "device/update_mode.h"

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

Entry ReadListEntry(DeviceLink& link, std::span<std::uint8_t> block, Patience patience = kThroughLulls) {
  const std::size_t count = link.channel.ReadBlock(block, patience);
  if (link.channel.LineLost()) return {EntryRead::Failed, count};
  if (count == block.size()) return {EntryRead::Complete, count};
  return {count == 0 ? EntryRead::EndOfList : EntryRead::CutShort, count};
}

bool ReadHeader(DeviceLink& link, std::uint8_t& unit) {
  const auto header = std::span(link.transfer).first(kDownloadHeaderSize);
  if (ReadListEntry(link, header).outcome != EntryRead::Complete) return false;
  unit = header[kDownloadUnitOffset];
  return true;
}

bool ReadRecords(DeviceLink& link, UserDatabase& received) {
  const auto block = std::span(link.transfer).first(kRecordSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const EntryRead outcome = ReadListEntry(link, block).outcome;
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
bool StreamEndsAfterLastNote(DeviceLink& link) {
  const auto trailing = std::span(link.transfer).first(kTrailingBytesRead);
  std::size_t count = link.channel.ReadBlock(trailing.first(1));
  if (count == 0) return !link.channel.LineLost();
  count += link.channel.ReadBlock(trailing.subspan(1), kThroughLulls);
  return !link.channel.LineLost() && count < trailing.size() && line::AreWholeDeviceTexts(trailing.first(count));
}

// Up to the last record that holds a point.
std::size_t PointsHeld(const UserDatabase& database) {
  std::size_t count = kRecordCount;
  while (count > 0 && database.Point(count - 1).IsEmpty()) --count;
  return count;
}

bool ReadNotes(DeviceLink& link, UserDatabase& received) {
  const std::size_t points = PointsHeld(received);
  const auto block = std::span(link.transfer).first(kNoteSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    Entry entry = ReadListEntry(link, block);
    if (entry.outcome == EntryRead::EndOfList && k < points) entry = ReadListEntry(link, block, kShortNotesPatience);
    if (entry.outcome == EntryRead::EndOfList) return true;
    // A device may close a short list with a message of its own, followed by silence.
    if (entry.outcome == EntryRead::CutShort) return line::AreWholeDeviceTexts(block.first(entry.received));
    if (entry.outcome != EntryRead::Complete) return false;
    std::copy(block.begin(), block.end(), received.Note(k).begin());
  }
  return StreamEndsAfterLastNote(link);
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

bool ReadWholeDatabase(DeviceLink& link, UserDatabase& received) {
  received.ClearRecords();
  received.ClearNotes();
  if (!SendThroughTransferBuffer(link, kReadRecordsFrame)) return false;
  link.transfer.fill(0xFF);
  if (!ReadHeader(link, received.speedUnit) || !ReadRecords(link, received)) return false;
  return SendThroughTransferBuffer(link, kReadNotesFrame) && ReadNotes(link, received);
}

// One conversation. Empty when the handshake failed (the seat has been told); else whether
// both lists came in whole.
struct Reading {
  bool complete = false;
  UserDatabase database;
};

std::optional<Reading> ReadDevice(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  if (!EnterUpdateMode(link, portNumber, seat)) return std::nullopt;
  seat.Receiving();
  Reading reading;
  reading.complete = ReadWholeDatabase(link, reading.database);
  LeaveUpdateMode(link);
  return reading;
}

bool SameContents(const UserDatabase& a, const UserDatabase& b) {
  return a.Image() == b.Image() && a.speedUnit == b.speedUnit;
}

// Notes past the last point mean either a device that holds them so, or records that came after
// a long lull, read as notes. A second reading tells: a lull does not come back the same way.
std::optional<Reading> ReadTrustworthy(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  std::optional<Reading> first = ReadDevice(link, portNumber, seat);
  if (!first || !first->complete || NotesFitThePoints(first->database)) return first;
  std::optional<Reading> second = ReadDevice(link, portNumber, seat);
  if (second && second->complete && !NotesFitThePoints(second->database)) {
    second->complete = SameContents(first->database, second->database);
  }
  return second;
}

}  // namespace

DownloadResult Download(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  const std::optional<Reading> reading = ReadTrustworthy(link, portNumber, seat);
  if (!reading) return {};
  if (!reading->complete) return {DownloadOutcome::Incomplete, {}, 0};
  return {DownloadOutcome::Complete, reading->database.Image(), reading->database.speedUnit};
}

}  // namespace userdb
