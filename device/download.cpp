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

// Where a list's end looks like a lull that cut it off, the end is believed only after a
// silence longer than such lulls are seen to last.
constexpr Patience kSuspectedEndPatience{kSuspectedEndLimit, kLullLimit};

// How the stream of a reading ended: lost or broken before the notes were over, followed by
// bytes that are not a message of the device's (a shifted stream leaves them), or cleanly.
enum class StreamEnd { Broken, Ragged, Clean };

// One conversation's lists as they came in.
struct Reading {
  StreamEnd end = StreamEnd::Broken;
  std::size_t records = 0;
  std::size_t notes = 0;
  UserDatabase database;
};

Entry ReadListEntry(DeviceLink& link, std::span<std::uint8_t> block, Patience patience) {
  const std::size_t count = link.channel.ReadBlock(block, patience);
  if (link.channel.LineLost()) return {EntryRead::Failed, count};
  if (count == block.size()) return {EntryRead::Complete, count};
  return {count == 0 ? EntryRead::EndOfList : EntryRead::CutShort, count};
}

bool ReadHeader(DeviceLink& link, std::uint8_t& unit) {
  const auto header = std::span(link.transfer).first(kDownloadHeaderSize);
  if (ReadListEntry(link, header, kThroughLulls).outcome != EntryRead::Complete) return false;
  unit = header[kDownloadUnitOffset];
  return true;
}

// Silence where entries are still owed is believed to end the list only after the longer wait:
// before a list's first entry (after an empty list nothing would show the entries that came
// late) and before a note whose record came.
Patience EndPatience(std::size_t entry, std::size_t owed, Patience otherwise) {
  return entry == 0 || entry < owed ? kSuspectedEndPatience : otherwise;
}

// How many records came before the list ended; none when one was cut short or the line lost.
std::optional<std::size_t> ReadRecords(DeviceLink& link, UserDatabase& received, Patience endPatience) {
  const auto block = std::span(link.transfer).first(kRecordSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const EntryRead outcome = ReadListEntry(link, block, EndPatience(k, 0, endPatience)).outcome;
    if (outcome == EntryRead::EndOfList) return k;
    if (outcome != EntryRead::Complete) return std::nullopt;
    std::copy(block.begin(), block.end(), received.Record(k).begin());
  }
  return kRecordCount;
}

StreamEnd EndAfterNotes(const DeviceLink& link, bool nothingForeign) {
  if (link.channel.LineLost()) return StreamEnd::Broken;
  return nothingForeign ? StreamEnd::Clean : StreamEnd::Ragged;
}

// After the 256th note the device has nothing more to send but perhaps a message of its own, so
// other bytes mean a shifted stream: a byte inserted or repeated on the line, or records that
// came after a long lull, read as notes. A full stream is judged by one read, which a shift
// fills at once.
StreamEnd EndAfterLastNote(DeviceLink& link) {
  const auto trailing = std::span(link.transfer).first(kTrailingBytesRead);
  std::size_t count = link.channel.ReadBlock(trailing.first(1));
  if (count == 0) return EndAfterNotes(link, true);
  count += link.channel.ReadBlock(trailing.subspan(1), kThroughLulls);
  return EndAfterNotes(link, count < trailing.size() && line::AreWholeDeviceTexts(trailing.first(count)));
}

// A device may close a short list with a message of its own.
void ReadNotes(DeviceLink& link, Reading& reading) {
  const auto block = std::span(link.transfer).first(kNoteSize);
  for (; reading.notes < kRecordCount; ++reading.notes) {
    const Entry entry = ReadListEntry(link, block, EndPatience(reading.notes, reading.records, kThroughLulls));
    if (entry.outcome == EntryRead::EndOfList) {
      reading.end = StreamEnd::Clean;
      return;
    }
    if (entry.outcome != EntryRead::Complete) {
      const bool message =
          entry.outcome == EntryRead::CutShort && line::AreWholeDeviceTexts(block.first(entry.received));
      reading.end = EndAfterNotes(link, message);
      return;
    }
    std::copy(block.begin(), block.end(), reading.database.Note(reading.notes).begin());
  }
  reading.end = EndAfterLastNote(link);
}

void ReadWholeDatabase(DeviceLink& link, Reading& reading, Patience recordsEnd) {
  UserDatabase& received = reading.database;
  received.ClearRecords();
  received.ClearNotes();
  if (!SendThroughTransferBuffer(link, kReadRecordsFrame)) return;
  link.transfer.fill(0xFF);
  if (!ReadHeader(link, received.speedUnit)) return;
  const std::optional<std::size_t> records = ReadRecords(link, received, recordsEnd);
  if (!records) return;
  reading.records = *records;
  if (SendThroughTransferBuffer(link, kReadNotesFrame)) ReadNotes(link, reading);
}

// Empty when the handshake failed (the seat has been told).
std::optional<Reading> ReadDevice(DeviceLink& link, int portNumber, DeviceSeat& seat, Patience recordsEnd) {
  if (!EnterUpdateMode(link, portNumber, seat)) return std::nullopt;
  seat.Receiving();
  Reading reading;
  ReadWholeDatabase(link, reading, recordsEnd);
  LeaveUpdateMode(link);
  return reading;
}

bool NoteIsEmpty(std::span<const std::uint8_t, kNoteSize> note) {
  return std::all_of(note.begin(), note.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

bool NotesEmptyFrom(const UserDatabase& database, std::size_t first) {
  for (std::size_t k = first; k < kRecordCount; ++k) {
    if (!NoteIsEmpty(database.Note(k))) return false;
  }
  return true;
}

// A device sends as many notes as records, all 256 or up to its last point. Notes beyond the
// records are records that came after a lull, read as notes, unless the notes list is whole and
// empty past the records; fewer notes are a list cut off, and notes that did not come cannot
// be known to be empty.
bool Consistent(const Reading& reading) {
  if (reading.end != StreamEnd::Clean) return false;
  if (reading.notes == reading.records) return true;
  return reading.notes == kRecordCount && NotesEmptyFrom(reading.database, reading.records);
}

// The program keeps every note with its point, so a note past the last point is more likely a
// shifted stream than the device's own.
bool NotesPastTheLastPoint(const UserDatabase& database) {
  std::size_t points = kRecordCount;
  while (points > 0 && database.Point(points - 1).IsEmpty()) --points;
  return !NotesEmptyFrom(database, points);
}

// Signs of a list cut off by a lull: lists of different lengths, bytes left over after the
// notes when the records ended early, or notes past the last point.
bool LooksCutOff(const Reading& reading) {
  switch (reading.end) {
    case StreamEnd::Broken:
      return false;
    case StreamEnd::Ragged:
      return reading.records < kRecordCount;
    case StreamEnd::Clean:
      return reading.notes != reading.records || NotesPastTheLastPoint(reading.database);
  }
  return false;
}

bool SameContents(const UserDatabase& a, const UserDatabase& b) {
  return a.Image() == b.Image() && a.speedUnit == b.speedUnit;
}

DownloadResult Result(const Reading& reading) {
  if (!Consistent(reading)) return {DownloadOutcome::Incomplete, {}, 0};
  return {DownloadOutcome::Complete, reading.database.Image(), reading.database.speedUnit};
}

}  // namespace

// A reading that looks cut off is taken again, waiting longer for the end of each list: a lull
// that comes back within that wait is ridden out, and one that outlasts it leaves the second
// reading no better fitting than the first. Two readings that each fit but differ leave nothing
// to believe.
DownloadResult Download(DeviceLink& link, int portNumber, DeviceSeat& seat) {
  const std::optional<Reading> first = ReadDevice(link, portNumber, seat, kThroughLulls);
  if (!first) return {};
  if (!LooksCutOff(*first)) return Result(*first);
  const std::optional<Reading> second = ReadDevice(link, portNumber, seat, kSuspectedEndPatience);
  if (!second) return {};
  if (Consistent(*first) && !SameContents(first->database, second->database)) {
    return {DownloadOutcome::Incomplete, {}, 0};
  }
  return Result(*second);
}

}  // namespace userdb
