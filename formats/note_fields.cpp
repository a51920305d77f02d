#include "formats/note_fields.h"

#include <algorithm>

#include "database/note_codec.h"
#include "formats/hex_bytes.h"
#include "formats/latin1_text.h"

namespace userdb::formats {
namespace {

constexpr std::uint8_t kNoteEnd = 0xFF;
constexpr std::uint8_t kFirstPrintable = 0x20;

bool Printable(std::uint8_t byte) { return byte >= kFirstPrintable && byte != kNoteEnd; }

// The text, when the block is that text followed by 0xFF to its end.
std::optional<std::string> PlainText(std::span<const std::uint8_t, kNoteSize> block) {
  const auto end = std::find(block.begin(), block.end(), kNoteEnd);
  if (end == block.end() || !std::all_of(block.begin(), end, Printable)) return std::nullopt;
  if (!std::all_of(end, block.end(), [](std::uint8_t byte) { return byte == kNoteEnd; })) return std::nullopt;
  return std::string(block.begin(), end);
}

FileProblem NoteProblem(std::string_view field, std::string message) { return ProblemAt(0, field, std::move(message)); }

}  // namespace

NoteFields NoteFieldsOf(std::span<const std::uint8_t, kNoteSize> block) {
  if (const std::optional<std::string> text = PlainText(block)) return NoteFields{Utf8OfBytes(*text), {}};
  return NoteFields{{}, HexOf(block)};
}

std::optional<FileProblem> ReadNoteFields(const NoteFields& fields, const NoteFieldNames& names,
                                          std::span<std::uint8_t, kNoteSize> block) {
  if (!fields.hex.empty()) {
    if (!fields.text.empty()) {
      return NoteProblem(names.hex,
                         "give the note either as text in " + std::string(names.text) + " or in hex here, not both");
    }
    if (!ReadHex(fields.hex, block)) return NoteProblem(names.hex, "not 256 hex digits (the 128 bytes of a note)");
    return std::nullopt;
  }
  std::string problem;
  const std::optional<std::string> bytes = BytesOfUtf8(fields.text, problem);
  if (!bytes) return NoteProblem(names.text, problem);
  if (bytes->find(static_cast<char>(kNoteEnd)) != std::string::npos) {
    return NoteProblem(names.text, "character U+00FF cannot be in a note: its byte 0xFF ends the note");
  }
  if (bytes->size() > kMaxNoteLength) {
    return NoteProblem(names.text, std::to_string(bytes->size()) + " bytes, but a note holds at most " +
                                       std::to_string(kMaxNoteLength));
  }
  WriteNote(block, *bytes);
  return std::nullopt;
}

}  // namespace userdb::formats
