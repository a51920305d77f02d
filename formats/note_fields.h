#pragma once
// A note as a file carries it. A block the window could have written (text, then 0xFF to the
// end) whose text is printable travels as that text; any other block travels as its 128 bytes
// in hex, so that every block comes back exactly.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "database/user_database.h"
#include "formats/file_problem.h"

namespace userdb::formats {

struct NoteFields {
  std::string text;  // UTF-8, one character a byte; empty when hex is used
  std::string hex;   // empty when text is used
};

struct NoteFieldNames {
  std::string_view text;
  std::string_view hex;
};

NoteFields NoteFieldsOf(std::span<const std::uint8_t, kNoteSize> block);

// Writes the block the fields give; a problem without a line when they give none.
std::optional<FileProblem> ReadNoteFields(const NoteFields& fields, const NoteFieldNames& names,
                                          std::span<std::uint8_t, kNoteSize> block);

}  // namespace userdb::formats
