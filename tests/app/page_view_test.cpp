#include "app/page_view.h"

#include "page_fixture.h"

namespace userdb {
namespace {

using PageViewTest = PageTest;

TEST_F(PageViewTest, EmptyPageEmptiesEveryFieldAndStaysReachable) {
  pages.current = 3;
  for (int row = 0; row < kRowsPerPage; ++row) {
    TypeRow(row, kWorkedRow);
    window.SetRowChecked(row, true);
  }
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page 3");
  EXPECT_EQ(pages.lastReachable, 3);
  for (int row = 0; row < kRowsPerPage; ++row) {
    EXPECT_EQ(RowOnScreen(row), RowTexts{}) << row;
    EXPECT_FALSE(window.IsRowChecked(row)) << row;
  }
}

TEST_F(PageViewTest, LastRowDecidesTheLastReachablePage) {
  FillPage(31, kWorkedPoint);
  pages.current = 31;
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(pages.lastReachable, 32);

  database.SetPoint(31 * kRowsPerPage + 3, UserPoint{});  // a gap before a filled row 7
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(pages.lastReachable, 32);

  database.SetPoint(31 * kRowsPerPage + 7, UserPoint{});
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(pages.lastReachable, 31);
}

TEST_F(PageViewTest, ShowsDecodedValuesNullsAndHemispheres) {
  database.SetPoint(
      0, UserPoint{.longitude = 0x8458717B, .latitude = 0x80E539A4, .speed = 0, .direction = 0xFFFF, .type = 0xFF});
  database.SetPoint(1,
                    UserPoint{.longitude = 72902583, .latitude = 15025000, .speed = 0xFFFF, .direction = 7, .type = 0});
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(RowOnScreen(0),
            (RowTexts{"W", "121", "30", "30", "49", "S", "25", "2", "15", "0", "0", "NULL", "NULL", ""}));
  EXPECT_EQ(RowOnScreen(1), (RowTexts{"E", "121", "30", "15", "49", "N", "25", "2", "30", "0", "NULL", "7", "0", ""}));
}

TEST_F(PageViewTest, UnitLabelAndSpeedFollowTheSpeedUnit) {
  database.SetPoint(0, kWorkedPoint);
  const struct {
    std::uint8_t unit;
    const char* label;
    const char* speed;
  } cases[] = {{1, "kilometer", "59"}, {0, "mile", "36"}, {2, "mile", "59"}, {0xFF, "mile", "59"}};
  for (const auto& c : cases) {
    database.speedUnit = c.unit;
    ShowPage(database, pages, shown, window);
    EXPECT_EQ(window.TextOf(ids::kUnitLabel), c.label) << int{c.unit};
    EXPECT_EQ(window.TextOf(ids::SpeedField(0)), c.speed) << int{c.unit};
  }
}

TEST_F(PageViewTest, NoteEndsAtTheFirstErasedOrZeroByte) {
  for (std::size_t index : {0, 1, 2}) database.SetPoint(index, kWorkedPoint);
  std::fill(database.Note(0).begin(), database.Note(0).end(), 'x');
  database.Note(1)[0] = 'A';
  database.Note(1)[1] = 'B';
  database.Note(1)[3] = 'C';  // after the first 0xFF
  database.Note(2)[0] = 'Z';
  database.Note(2)[1] = 0;
  database.Note(2)[2] = 'Q';
  const TransferImage before = database.Image();
  ShowPage(database, pages, shown, window);
  EXPECT_EQ(window.TextOf(ids::NoteField(0)), std::string(128, 'x'));
  EXPECT_EQ(window.TextOf(ids::NoteField(1)), "AB");
  EXPECT_EQ(window.TextOf(ids::NoteField(2)), "Z");
  EXPECT_EQ(database.Image(), before);
}

}  // namespace
}  // namespace userdb
