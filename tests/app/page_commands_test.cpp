#include "app/page_commands.h"

#include "app/page_view.h"
#include "page_fixture.h"

namespace userdb {
namespace {

const MessageBoxRequest kNoMoreDataBox{BoxOwner::MainWindow, "no more data", "Info", BoxKind::Ok};

class PageCommandsTest : public PageTest {
 protected:
  void ShowPageNumber(int page) {
    pages.current = static_cast<std::uint16_t>(page);
    ShowPage(database, pages, shown, window);
    window.SetText(ids::kStatusBox, "old status");
  }
  // Expects the "no more data" answer with the page, the rows and the StatusBox left alone.
  void ExpectNoMoreData(void (*command)(const UserDatabase&, PageState&, ShownPage&, Window&), int page) {
    window.Type(ids::NoteField(0), "typed");
    const std::string status = Status();
    command(database, pages, shown, window);
    EXPECT_EQ(window.Boxes().back(), kNoMoreDataBox);
    EXPECT_EQ(pages.current, page);
    EXPECT_EQ(window.TextOf(ids::NoteField(0)), "typed");
    EXPECT_EQ(Status(), status);
  }
  void ExpectShown(int page) {
    EXPECT_EQ(pages.current, page);
    EXPECT_EQ(window.TextOf(ids::kPageLabel), "Page " + std::to_string(page));
    EXPECT_EQ(Status(), "");
  }
};

TEST_F(PageCommandsTest, NextPageMovesOnlyPastAFilledLastRow) {
  ShowPageNumber(0);
  ExpectNoMoreData(NextPage, 0);

  database.SetPoint(7, kWorkedPoint);  // rows 0 to 6 stay empty
  ShowPageNumber(0);
  NextPage(database, pages, shown, window);
  ExpectShown(1);
}

TEST_F(PageCommandsTest, FullDatabaseWalksAllPagesAndWraps) {
  for (int page = 0; page < kPageCount; ++page) FillPage(page, kWorkedPoint);
  ShowPageNumber(0);
  for (int page = 1; page < kPageCount; ++page) {
    NextPage(database, pages, shown, window);
    ASSERT_EQ(pages.current, page);
  }
  EXPECT_EQ(pages.lastReachable, 32);
  NextPage(database, pages, shown, window);
  ExpectShown(0);
  EXPECT_TRUE(window.Boxes().empty());
}

TEST_F(PageCommandsTest, NextPageWrapsFromPage31WhateverIsReachable) {
  ShowPageNumber(31);
  ASSERT_EQ(pages.lastReachable, 31);
  NextPage(database, pages, shown, window);
  ExpectShown(0);
}

TEST_F(PageCommandsTest, PreviousPage) {
  ShowPageNumber(0);
  ExpectNoMoreData(PreviousPage, 0);
  ShowPageNumber(5);
  PreviousPage(database, pages, shown, window);
  ExpectShown(4);
}

TEST_F(PageCommandsTest, MovingDropsUnsavedTyping) {
  FillPage(0, kWorkedPoint);
  ShowPageNumber(0);
  const RowTexts stored = RowOnScreen(2);
  window.Type(ids::SpeedField(2), "5");
  NextPage(database, pages, shown, window);
  PreviousPage(database, pages, shown, window);
  EXPECT_EQ(RowOnScreen(2), stored);
}

TEST_F(PageCommandsTest, SaveAnsweredNoChangesNothing) {
  ShowPageNumber(0);
  TypeRow(0, kWorkedRow);
  window.SetRowChecked(3, true);
  window.SetBoxHandler([](const MessageBoxRequest&) { return BoxAnswer::No; });
  const TransferImage before = database.Image();
  SavePage(database, pages.current, shown, window);
  EXPECT_EQ(window.Boxes(),
            (std::vector<MessageBoxRequest>{
                {BoxOwner::MainWindow, "Want to save this page to User Database ? ", "Info", BoxKind::YesNo}}));
  EXPECT_EQ(database.Image(), before);
  EXPECT_TRUE(window.IsRowChecked(3));
  EXPECT_EQ(Status(), "old status");
}

TEST_F(PageCommandsTest, SaveStoresOnlyAPassingPage) {
  ShowPageNumber(0);
  TypeRow(0, kWorkedRow);
  window.Type(ids::DirectionField(0), "360");
  SavePage(database, pages.current, shown, window);
  EXPECT_TRUE(database.Point(0).IsEmpty());
  EXPECT_EQ(database.Note(0)[0], 'S');  // notes go in even when the check fails
  EXPECT_TRUE(window.IsRowChecked(0));

  window.Type(ids::DirectionField(0), "90");
  SavePage(database, pages.current, shown, window);
  EXPECT_EQ(database.Point(0), kWorkedPoint);
  EXPECT_EQ(Status(), "Save Successful !");
  EXPECT_FALSE(window.IsRowChecked(0));

  // Only showing a page moves the reachable limit.
  for (int row = 1; row < kRowsPerPage; ++row) TypeRow(row, kWorkedRow);
  SavePage(database, pages.current, shown, window);
  ExpectNoMoreData(NextPage, 0);
}

TEST_F(PageCommandsTest, ClearDataEmptiesMarkedRowsInTheWindowOnly) {
  FillPage(0, kWorkedPoint);
  ShowPageNumber(0);
  ClearMarkedRows(window);
  for (int row = 0; row < kRowsPerPage; ++row) EXPECT_EQ(RowOnScreen(row)[0], "E") << row;

  window.SetRowChecked(6, true);
  window.SetRowChecked(7, true);
  ClearMarkedRows(window);
  for (int row = 0; row < kRowsPerPage; ++row) {
    EXPECT_EQ(RowOnScreen(row) == RowTexts{}, row >= 6) << row;
    EXPECT_FALSE(window.IsRowChecked(row)) << row;
  }
  EXPECT_EQ(database.Point(7), kWorkedPoint);

  SavePage(database, pages.current, shown, window);
  EXPECT_TRUE(database.Point(6).IsEmpty());
  EXPECT_TRUE(database.Point(7).IsEmpty());
  EXPECT_EQ(database.Point(5), kWorkedPoint);
}

TEST_F(PageCommandsTest, ClearingAMiddleRowBreaksTheOrder) {
  FillPage(0, kWorkedPoint);
  ShowPageNumber(0);
  window.SetRowChecked(3, true);
  ClearMarkedRows(window);
  SavePage(database, pages.current, shown, window);
  EXPECT_EQ(window.Boxes().back().text, "Please input data increase progressively in a proper order");
  EXPECT_EQ(database.Point(3), kWorkedPoint);
}

}  // namespace
}  // namespace userdb
