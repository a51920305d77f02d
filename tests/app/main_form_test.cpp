#include <gtest/gtest.h>

#include "app/command_router.h"
#include "app/main_form.h"
#include "platform/headless/headless_window.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"
#include "window/control_ids.h"

namespace userdb {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : state(port), router(state, window) { InitialiseMainForm(state, window); }

  sim::VirtualClock clock;
  sim::InProcessPort port{clock};  // no device on any port
  ProgramState state;
  HeadlessWindow window;
  CommandRouter router;
};

TEST_F(MainFormTest, StartsWithThePromptsAndOnlyThePortButtonsEnabled) {
  EXPECT_EQ(window.TextOf(ids::kPageLabel), "Please Load User Database");
  EXPECT_EQ(window.TextOf(ids::kStatusBox), "Please choose com and \r\nopen com port");
  EXPECT_EQ(window.PortSelection(), 1);
  ASSERT_EQ(window.PortEntries().size(), 256u);
  EXPECT_EQ(window.PortEntries()[window.PortSelection()], "COM002");
  EXPECT_EQ(state.database.speedUnit, kSpeedUnitKilometer);
  for (int id : {ids::kPortList, ids::kOpenPort, ids::kAutoOpenPort, ids::kExit, ids::kStatusBox}) {
    EXPECT_TRUE(window.IsEnabled(id)) << id;
  }
  for (int id :
       {ids::kLoadDatabase, ids::kExitAndWrite, ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kClearData}) {
    EXPECT_FALSE(window.IsEnabled(id)) << id;
  }
  for (int row = 0; row < kRowsPerPage; ++row) {
    EXPECT_TRUE(window.IsEnabled(ids::RowCheck(row)));
    for (int field = 0; field < kRowFieldCount; ++field) EXPECT_TRUE(window.IsEnabled(ids::RowField(row, field)));
  }
}

TEST_F(MainFormTest, EveryCommandThatNeedsADatabaseSaysSoAndChangesNothing) {
  window.Type(ids::LongitudeField(0, ids::CoordinatePart::Hemisphere), "e");
  for (int id : {ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kClearData, ids::kExitAndWrite}) {
    router.Click(id);
    ASSERT_FALSE(window.Boxes().empty());
    const MessageBoxRequest expected{BoxOwner::MainWindow, "Please Load User Database", "Info", BoxKind::Ok};
    EXPECT_EQ(window.Boxes().back(), expected) << id;
  }
  EXPECT_EQ(window.Boxes().size(), 5u);
  EXPECT_FALSE(window.IsClosed());
  EXPECT_EQ(window.TextOf(ids::LongitudeField(0, ids::CoordinatePart::Hemisphere)), "E");
  EXPECT_EQ(state.page.current, 0);
  EXPECT_EQ(port.OpenCount(), 0);
}

TEST_F(MainFormTest, ExitAndCancelCloseWithoutAQuestionOrTraffic) {
  router.Click(ids::kExit);
  EXPECT_TRUE(window.IsClosed());
  EXPECT_TRUE(window.Boxes().empty());

  HeadlessWindow other;
  CommandRouter otherRouter(state, other);
  otherRouter.CancelCommand();
  EXPECT_TRUE(other.IsClosed());
  EXPECT_EQ(port.OpenCount(), 0);
}

TEST_F(MainFormTest, NoSecondCommandStartsWhileABoxOfTheFirstIsOpen) {
  // The open of COM2 fails and its box has no owner, so the window could still be clicked.
  window.SetBoxHandler([&](const MessageBoxRequest&) {
    router.Click(ids::kExit);
    router.Click(ids::kAutoOpenPort);
    return BoxAnswer::Ok;
  });
  router.Click(ids::kOpenPort);
  ASSERT_EQ(window.Boxes().size(), 1u);
  EXPECT_EQ(window.Boxes()[0].text, "Can not Open COM2");
  EXPECT_EQ(window.Boxes()[0].owner, BoxOwner::None);
  EXPECT_FALSE(window.Boxes()[0].caption.has_value());
  EXPECT_FALSE(window.IsClosed());
  EXPECT_EQ(port.OpenAttempts(), std::vector<int>{2});  // the scan never ran
  EXPECT_FALSE(router.Busy());

  router.Click(ids::kExit);  // once the command is over, the next one runs
  EXPECT_TRUE(window.IsClosed());
}

TEST_F(MainFormTest, ClicksOnFieldsRunNothing) {
  router.Click(ids::NoteField(3));
  router.Click(ids::kPageLabel);
  EXPECT_TRUE(window.Boxes().empty());
  EXPECT_FALSE(window.IsClosed());
}

}  // namespace
}  // namespace userdb
