#pragma once
// A PointNote: the text from its first byte, then 0xFF up to the end of the 128-byte block.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "database/field_bounds.h"
#include "database/user_database.h"

namespace userdb {

// The text up to the first 0xFF, or all 128 bytes when there is none. A zero byte ends it too,
// as it ends the text a control shows.
std::string NoteText(std::span<const std::uint8_t, kNoteSize> note);

// text must be at most kMaxNoteLength bytes.
void WriteNote(std::span<std::uint8_t, kNoteSize> note, std::string_view text);

}  // namespace userdb
