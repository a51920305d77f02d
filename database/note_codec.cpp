#include "database/note_codec.h"

#include <algorithm>

namespace userdb {

namespace {
constexpr std::uint8_t kNoteEnd = 0xFF;
}  // namespace

std::string NoteText(std::span<const std::uint8_t, kNoteSize> note) {
  const auto end = std::find_if(note.begin(), note.end(), [](std::uint8_t b) { return b == kNoteEnd || b == 0; });
  return {note.begin(), end};
}

void WriteNote(std::span<std::uint8_t, kNoteSize> note, std::string_view text) {
  std::fill(note.begin(), note.end(), kNoteEnd);
  std::transform(text.begin(), text.end(), note.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
}

}  // namespace userdb
