// Which pages hold typed work that "Save this page" has not stored: the file commands ask about
// exactly those, so a false alarm nags and a missed one drops the driver's typing.

#include <gtest/gtest.h>

#include "app/page_commands.h"
#include "app/unsaved_page.h"
#include "app/whole_database.h"
#include "database/note_codec.h"
#include "platform/headless/headless_window.h"
#include "sim/in_process_port.h"
#include "tests/app/page_fixture.h"

namespace userdb {
namespace {

class UnsavedPageTest : public testing::Test {
 protected:
  UnsavedPageTest() : port(clock), state(port) {
    state.database.SetPoint(0, kWorkedPoint);
    WriteNote(state.database.Note(0), "SCHOOL");
    state.database.SetPoint(1, UserPoint{.longitude = 600000, .latitude = 600000, .speed = 0});
    ShowWholeDatabase(state, window);
  }
  bool Unsaved() const { return PageHasUnsavedWork(state, window); }

  sim::VirtualClock clock;
  sim::InProcessPort port;
  ProgramState state;
  HeadlessWindow window;
};

TEST_F(UnsavedPageTest, APageAsShownHoldsNoWorkAndNeitherDoesAWindowWithoutOne) {
  EXPECT_FALSE(Unsaved());
  ProgramState nothingLoaded(port);
  HeadlessWindow typedBeforeAnyLoad;
  typedBeforeAnyLoad.Type(ids::NoteField(5), "X");
  EXPECT_FALSE(PageHasUnsavedWork(nothingLoaded, typedBeforeAnyLoad));  // no page is shown yet
}

TEST_F(UnsavedPageTest, TypingClearingAndANoteOnAnEmptyRowAreWork) {
  window.Type(ids::NoteField(0), "SCHOOL ZONE");
  EXPECT_TRUE(Unsaved());
  window.Type(ids::NoteField(0), "SCHOOL");  // typed back as it was
  EXPECT_FALSE(Unsaved());

  window.Type(ids::NoteField(5), "X");
  EXPECT_TRUE(Unsaved());
  window.Type(ids::NoteField(5), "");

  window.SetRowChecked(1, true);
  ClearMarkedRows(window);
  EXPECT_TRUE(Unsaved());
}

TEST_F(UnsavedPageTest, AFaultyRowIsWorkAndASavedOneIsNot) {
  window.Type(ids::SpeedField(0), "9999");
  EXPECT_TRUE(Unsaved());
  window.Type(ids::SpeedField(0), "90");
  EXPECT_TRUE(Unsaved());
  ASSERT_TRUE(StorePage(state.database, state.page.current, state.shown, window));
  EXPECT_FALSE(Unsaved());
}

TEST_F(UnsavedPageTest, CancelKeepsThePageAndNoGoesOnWithoutIt) {
  window.Type(ids::NoteField(0), "SCHOOL ZONE");
  window.SetBoxHandler([](const MessageBoxRequest&) { return BoxAnswer::Cancel; });
  EXPECT_FALSE(SettleUnsavedWork(state, window));
  window.SetBoxHandler([](const MessageBoxRequest&) { return BoxAnswer::No; });
  EXPECT_TRUE(SettleUnsavedWork(state, window));
  EXPECT_EQ(NoteText(state.database.Note(0)), "SCHOOL");
  window.SetBoxHandler([](const MessageBoxRequest&) { return BoxAnswer::Yes; });
  EXPECT_TRUE(SettleUnsavedWork(state, window));
  EXPECT_EQ(NoteText(state.database.Note(0)), "SCHOOL ZONE");
  EXPECT_EQ(window.Boxes().size(), 3u);
  EXPECT_EQ(window.Boxes()[0].text, kSaveChangesQuestion);
}

}  // namespace
}  // namespace userdb
