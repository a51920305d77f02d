#include "app/page_check.h"

#include <vector>

#include "base/page_layout.h"
#include "page_fixture.h"
#include "tests/support/status_log.h"

namespace userdb {
namespace {

const MessageBoxRequest kOrderBox{BoxOwner::None, "Please input data increase progressively in a proper order", "Info",
                                  BoxKind::Ok};

class PageCheckTest : public PageTest {
 protected:
  RowTexts WorkedRowWith(int field, std::string text) const {
    RowTexts row = kWorkedRow;
    row[field] = std::move(text);
    return row;
  }
  std::vector<std::uint8_t> NoteBytes(std::size_t index) const {
    const auto note = database.Note(index);
    return {note.begin(), note.end()};
  }
  std::vector<std::uint8_t> NoteOf(const std::string& text) const {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.resize(kNoteSize, 0xFF);
    return bytes;
  }
};

TEST_F(PageCheckTest, WorkedRowStoresItsBytes) {
  pages.current = 2;
  database.Record(16)[14] = 0x5A;
  TypeRow(0, kWorkedRow);
  ASSERT_TRUE(CheckPage(database, pages.current, shown, window, true));
  const auto record = database.Record(16);
  EXPECT_EQ(std::vector<std::uint8_t>(record.begin(), record.end()),
            (std::vector<std::uint8_t>{0xB7, 0x67, 0x58, 0x04, 0x68, 0x43, 0xE5, 0x00, 0x20, 0x00, 0x5A, 0x00, 0x01,
                                       0xFF, 0x5A, 0xFF}));
  EXPECT_EQ(NoteBytes(16), NoteOf("SCHOOL"));
  EXPECT_EQ(Status(), "Save Successful !");

  database.speedUnit = 0;
  TypeRow(0, WorkedRowWith(0, "W"));
  window.Type(ids::LatitudeField(0, ids::CoordinatePart::Hemisphere), "s");
  ASSERT_TRUE(CheckPage(database, pages.current, shown, window, true));
  EXPECT_EQ(database.Point(16),
            (UserPoint{.longitude = 0x845867B7, .latitude = 0x80E54368, .speed = 52, .direction = 90, .type = 1}));
}

TEST_F(PageCheckTest, CheckPassWritesNotesButNoRecords) {
  TypeRow(0, kWorkedRow);
  ASSERT_TRUE(CheckPage(database, pages.current, shown, window, false));
  EXPECT_TRUE(database.Point(0).IsEmpty());
  EXPECT_EQ(NoteBytes(0), NoteOf("SCHOOL"));
}

TEST_F(PageCheckTest, EmptyPageStoresEmptyRecords) {
  database.SetPoint(5, kWorkedPoint);
  database.Record(5)[13] = 0x42;
  database.Note(5)[0] = 'A';
  ASSERT_TRUE(CheckPage(database, pages.current, shown, window, true));
  EXPECT_EQ(database.Point(5), UserPoint{});
  EXPECT_EQ(database.Record(5)[13], 0x42);
  EXPECT_EQ(NoteBytes(5), NoteOf(""));
  EXPECT_EQ(Status(), "Save Successful !");
}

TEST_F(PageCheckTest, ErrorTextListsFaultyRowsAsTheyAreJudged) {
  for (int row = 0; row < 6; ++row) TypeRow(row, kWorkedRow);
  window.Type(ids::SpeedField(2), "1000");
  window.Type(ids::LongitudeField(5, ids::CoordinatePart::Degrees), "180");
  window.Type(ids::NoteField(5), std::string(128, 'n'));
  StatusLog log(window);
  EXPECT_FALSE(CheckPage(database, pages.current, shown, log, false));
  const std::string afterRow2 = "~ Error Message ~\r\nNO.2 : \r\nSpeed must under 1000 \r\n \r\n";
  const std::string afterRow5 =
      afterRow2 + "NO.5 : \r\nLongitude - degress must  under 180 \r\nNote must under 128 bytes\r\n \r\n";
  EXPECT_EQ(log.texts, (std::vector<std::string>{afterRow2, afterRow5}));
  for (int row = 0; row < kRowsPerPage; ++row) EXPECT_EQ(window.IsRowChecked(row), row == 2 || row == 5) << row;
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_EQ(NoteBytes(5), NoteOf(""));  // too long: left as it was
}

TEST_F(PageCheckTest, FilledRowsMustComeFirst) {
  TypeRow(0, kWorkedRow);
  TypeRow(1, kWorkedRow);
  TypeRow(2, kWorkedRow);
  EXPECT_TRUE(CheckPage(database, pages.current, shown, window, false));

  window.SetText(ids::kStatusBox, "before");
  TypeRow(0, RowTexts{});
  window.SetRowChecked(0, true);
  EXPECT_FALSE(CheckPage(database, pages.current, shown, window, false));
  EXPECT_EQ(window.Boxes(), std::vector<MessageBoxRequest>{kOrderBox});
  EXPECT_EQ(Status(), "before");
  EXPECT_FALSE(window.IsRowChecked(0));

  TypeRow(0, kWorkedRow);
  TypeRow(1, WorkedRowWith(kNoteField, ""));
  window.Type(ids::TypeField(1), "2");
  TypeRow(2, RowTexts{});
  TypeRow(3, kWorkedRow);
  EXPECT_FALSE(CheckPage(database, pages.current, shown, window, false));
  EXPECT_EQ(Status(), "~ Error Message ~\r\nNO.1 : \r\nType must be 0 or 1\r\n \r\n");
  EXPECT_TRUE(window.IsRowChecked(1));
  EXPECT_EQ(window.Boxes().size(), 2u);
  EXPECT_EQ(window.Boxes().back(), kOrderBox);
}

TEST_F(PageCheckTest, NoteAloneMakesARowWithEveryOtherFieldMissing) {
  window.Type(ids::NoteField(0), "only a note");
  EXPECT_FALSE(CheckPage(database, pages.current, shown, window, false));
  EXPECT_EQ(Status(),
            "~ Error Message ~\r\nNO.0 : \r\n"
            "Longitude - (E)ast / (W)est \r\nLongitude - degress must  under 180 \r\n"
            "Longitude - minute must under 60 \r\nLongitude - second must under 60 \r\n"
            "Longitude - millisecond must under 100 \r\nLatitude - (N)orth / (S)outh \r\n"
            "Latitude - degress must under 90 \r\nLatitude - minute must under 60 \r\n"
            "Latitude - second must under 60 \r\nLatitude - millisecond must under 100 \r\n"
            "Speed must under 1000 \r\nDirection must under 360 \r\nType must be 0 or 1\r\n \r\n");
  EXPECT_EQ(NoteBytes(0), NoteOf("only a note"));
}

TEST_F(PageCheckTest, FieldRulesAndStrictBounds) {
  const std::string thirtyOneDigits = std::string(30, '0') + "1";
  const struct {
    int field;  // index in reading order
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
  } cases[] = {
      {0, {"WEST", "E"}, {"X", "", " E"}},
      {5, {"S", "NX"}, {"E", ""}},
      {1, {"179", "007"}, {"180", "1000000"}},
      {6, {"89"}, {"90"}},
      {2, {"59"}, {"60"}},
      {7, {"59"}, {"60"}},
      {3, {"59"}, {"60"}},
      {8, {"59"}, {"60"}},
      {4, {"99"}, {"100"}},
      {9, {"99"}, {"100"}},
      {10, {"999", "NULL", "NULLX"}, {"1000", "65536", "NUL", "", "5.0", " 5"}},
      {11, {"359", "NULL"}, {"360", "NUL", "", "+5"}},
      {12, {"1", "NULL", thirtyOneDigits, thirtyOneDigits + "X"}, {"2", "NUL", "", "-1"}},
  };
  for (const auto& c : cases) {
    for (const bool accepted : {true, false}) {
      for (const std::string& text : accepted ? c.accepted : c.refused) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " \"" << text << '"');
        TypeRow(0, WorkedRowWith(c.field, text));
        EXPECT_EQ(CheckPage(database, pages.current, shown, window, false), accepted);
        EXPECT_EQ(window.IsRowChecked(0), !accepted);
      }
    }
  }
}

TEST_F(PageCheckTest, StoredValuesOfTypedFields) {
  TypeRow(0, WorkedRowWith(0, "w"));
  window.Type(ids::SpeedField(0), "NULLX");
  window.Type(ids::DirectionField(0), "007");
  window.Type(ids::TypeField(0), "NULL");
  CheckPage(database, pages.current, shown, window, true);
  EXPECT_EQ(database.Point(0),
            (UserPoint{.longitude = 0x845867B7, .latitude = 15025000, .speed = 0xFFFF, .direction = 7, .type = 0xFF}));

  // A refused field stores its failure value.
  TypeRow(0, WorkedRowWith(kLongitudeFirstField + 1, "180"));
  window.Type(ids::LatitudeField(0, ids::CoordinatePart::Hemisphere), "Q");
  window.Type(ids::DirectionField(0), "360");
  EXPECT_FALSE(CheckPage(database, pages.current, shown, window, true));
  EXPECT_EQ(
      database.Point(0),
      (UserPoint{
          .longitude = 72902583 - 121 * 600000, .latitude = 15025000, .speed = 32, .direction = 0xFFFF, .type = 1}));
}

TEST_F(PageCheckTest, NoteLengths) {
  const std::string note127(127, 'a');
  TypeRow(0, WorkedRowWith(kNoteField, note127));
  EXPECT_TRUE(CheckPage(database, pages.current, shown, window, false));
  EXPECT_EQ(NoteBytes(0), NoteOf(note127));

  for (const std::size_t length : {128, 200}) {
    TypeRow(0, WorkedRowWith(kNoteField, std::string(length, 'b')));
    EXPECT_FALSE(CheckPage(database, pages.current, shown, window, false)) << length;
    EXPECT_EQ(Status(), "~ Error Message ~\r\nNO.0 : \r\nNote must under 128 bytes\r\n \r\n");
    EXPECT_EQ(NoteBytes(0), NoteOf(note127)) << length;
  }
}

}  // namespace
}  // namespace userdb
