#include "formats/note_fields.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "database/note_codec.h"
#include "formats/hex_bytes.h"
#include "formats/latin1_text.h"

namespace userdb::formats {
namespace {

using Block = std::array<std::uint8_t, kNoteSize>;

Block Erased() {
  Block block;
  block.fill(0xFF);
  return block;
}

Block WithText(std::string_view text) {
  Block block;
  WriteNote(block, text);
  return block;
}

TEST(Latin1Text, EveryByteComesBackThroughUtf8) {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
  const std::string text = Utf8OfBytes(bytes);
  EXPECT_EQ(text.size(), 128u + 2 * 128u);
  EXPECT_EQ(Utf8OfBytes("K\xF6ln"), "K\xC3\xB6ln");
  std::string problem;
  EXPECT_EQ(BytesOfUtf8(text, problem), bytes);
}

TEST(Latin1Text, TextThatIsNotUtf8OrNotOneByteACharacterIsRefused) {
  std::string problem;
  EXPECT_FALSE(BytesOfUtf8("\xE2\x82\xAC", problem));  // the euro sign
  EXPECT_NE(problem.find("U+20AC"), std::string::npos) << problem;
  for (const char* broken : {"\xC3", "\xC3(", "\xC0\x80", "\xE0\x80\xA9", "\xFF", "\x80"}) {
    problem.clear();
    EXPECT_FALSE(BytesOfUtf8(broken, problem)) << broken;
    EXPECT_EQ(problem, "not UTF-8 text");
  }
}

TEST(HexBytes, ReadsEitherCaseAndExactlyTheBytesAsked) {
  std::array<std::uint8_t, 3> bytes{};
  EXPECT_EQ(HexOf(std::array<std::uint8_t, 3>{0x00, 0xAB, 0x7F}), "00AB7F");
  EXPECT_TRUE(ReadHex("0aBf7F", bytes));
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 3>{0x0A, 0xBF, 0x7F}));
  EXPECT_FALSE(ReadHex("0ABF7", bytes));
  EXPECT_FALSE(ReadHex("0ABF7F00", bytes));
  EXPECT_FALSE(ReadHex("0ABG7F", bytes));
}

TEST(NoteFields, APlainNoteTravelsAsTextAnyOtherBlockAsHex) {
  EXPECT_EQ(NoteFieldsOf(WithText("SCHOOL")).text, "SCHOOL");
  EXPECT_EQ(NoteFieldsOf(WithText("Stra\xDF"
                                  "e"))
                .text,
            "Stra\xC3\x9F"
            "e");
  EXPECT_EQ(NoteFieldsOf(WithText(std::string(127, 'x'))).text, std::string(127, 'x'));
  const NoteFields empty = NoteFieldsOf(Erased());
  EXPECT_TRUE(empty.text.empty() && empty.hex.empty());

  Block withTab = WithText("a\tb");
  Block tailAfterEnd = WithText("ab");
  tailAfterEnd[100] = 0x00;
  Block noEnd;
  noEnd.fill('y');
  for (const Block& block : {withTab, tailAfterEnd, noEnd}) {
    const NoteFields fields = NoteFieldsOf(block);
    EXPECT_TRUE(fields.text.empty());
    EXPECT_EQ(fields.hex, HexOf(block));
  }
}

TEST(NoteFields, ReadingGivesBackTheBlockWhicheverWayItTravelled) {
  const NoteFieldNames names{"note", "note_hex"};
  Block odd = WithText("ab");
  odd[77] = 0x01;
  for (const Block& block : {WithText("Caf\xE9 \xA9"), odd, Erased()}) {
    Block read{};
    EXPECT_FALSE(ReadNoteFields(NoteFieldsOf(block), names, read).has_value());
    EXPECT_EQ(read, block);
  }
}

TEST(NoteFields, FieldsThatGiveNoBlockNameTheirField) {
  const NoteFieldNames names{"note", "note_hex"};
  Block block = Erased();
  auto problemOf = [&](std::string text, std::string hex) {
    return ReadNoteFields(NoteFields{std::move(text), std::move(hex)}, names, block);
  };
  EXPECT_EQ(problemOf("a", std::string(256, 'F'))->field, "note_hex");
  EXPECT_EQ(problemOf("", "FF")->field, "note_hex");
  EXPECT_EQ(problemOf(std::string(128, 'x'), "")->message, "128 bytes, but a note holds at most 127");
  EXPECT_NE(problemOf("\xC3\xBF", "")->message.find("0xFF ends the note"), std::string::npos);  // U+00FF
  EXPECT_EQ(problemOf("\xE2\x82\xAC", "")->field, "note");
  EXPECT_EQ(block, Erased());  // refused fields leave the block alone
}

}  // namespace
}  // namespace userdb::formats
