#include "device/download.h"

#include <algorithm>
#include <string>

#include "app/control_ids.h"
#include "database/page_view.h"
#include "device/command_frames.h"
#include "device/update_mode.h"
#include "device/user_messages.h"

namespace userdb {
namespace {

// How a list of fixed-size blocks went: it may end cleanly at a block boundary.
enum class BlockRead { Complete, EndOfList, Failed };

BlockRead ReadListBlock(ProgramState& state, std::span<std::uint8_t> block) {
  const std::size_t count = state.channel.ReadBlock(block);
  if (state.channel.LineLost()) return BlockRead::Failed;
  if (count == block.size()) return BlockRead::Complete;
  return count == 0 ? BlockRead::EndOfList : BlockRead::Failed;
}

bool ReadHeader(ProgramState& state, std::uint8_t& unit) {
  const auto header = std::span(state.transfer).first(kDownloadHeaderSize);
  if (ReadListBlock(state, header) != BlockRead::Complete) return false;
  unit = header[kDownloadUnitOffset];
  return true;
}

bool ReadRecords(ProgramState& state, UserDatabase& received) {
  const auto block = std::span(state.transfer).first(kRecordSize);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const BlockRead result = ReadListBlock(state, block);
    if (result == BlockRead::EndOfList) return true;
    if (result == BlockRead::Failed) return false;
    std::copy(block.begin(), block.end(), received.Record(k).begin());
  }
  return true;
}

// A note comes in four pieces; only a note whose first piece is missing ends the list.
BlockRead ReadNote(ProgramState& state, std::span<std::uint8_t, kNoteSize> note) {
  const auto piece = std::span(state.transfer).first(kNotePieceSize);
  for (std::size_t offset = 0; offset < kNoteSize; offset += kNotePieceSize) {
    const BlockRead result = ReadListBlock(state, piece);
    if (result == BlockRead::EndOfList && offset == 0) return BlockRead::EndOfList;
    if (result != BlockRead::Complete) return BlockRead::Failed;
    std::copy(piece.begin(), piece.end(), note.begin() + static_cast<std::ptrdiff_t>(offset));
  }
  return BlockRead::Complete;
}

// The stream has no length or checksum. After the 256th note the device has nothing more to
// send, so bytes that still come mean a byte was inserted or repeated on the line and every
// block after it is shifted: such a database must not replace the one in memory.
bool StreamEndsAfterLastNote(ProgramState& state) {
  return state.channel.ReadOnce(std::span(state.transfer).first(1)) == 0 && !state.channel.LineLost();
}

bool ReadNotes(ProgramState& state, UserDatabase& received) {
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    const BlockRead result = ReadNote(state, received.Note(k));
    if (result == BlockRead::EndOfList) return true;
    if (result == BlockRead::Failed) return false;
  }
  return StreamEndsAfterLastNote(state);
}

bool ReadWholeDatabase(ProgramState& state, UserDatabase& received) {
  received.ClearRecords();
  received.ClearNotes();
  if (!SendThroughTransferBuffer(state, kReadRecordsFrame)) return false;
  state.transfer.fill(0xFF);
  if (!ReadHeader(state, received.speedUnit) || !ReadRecords(state, received)) return false;
  return SendThroughTransferBuffer(state, kReadNotesFrame) && ReadNotes(state, received);
}

void EnableLoadedCommands(Window& window) {
  for (int id : {ids::kClearData, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kExitAndWrite}) {
    window.Enable(id, true);
  }
}

}  // namespace

bool DownloadDatabase(ProgramState& state, Window& window) {
  if (!EnterUpdateMode(state, window)) return false;
  window.ShowProgress();  // the handshake's status stays up while the blocks come in
  UserDatabase received;
  received.speedUnit = state.database.speedUnit;
  const bool complete = ReadWholeDatabase(state, received);
  LeaveUpdateMode(state);
  if (!complete) {
    window.ShowMessage({BoxOwner::None, std::string(message::kDownloadFailed), std::string(kCaptionInfo), BoxKind::Ok});
    return false;
  }
  state.database.SetImage(received.Image());
  state.database.speedUnit = received.speedUnit;
  state.database.page.current = 0;
  ShowPage(state.database, window);
  EnableLoadedCommands(window);
  return true;
}

}  // namespace userdb
