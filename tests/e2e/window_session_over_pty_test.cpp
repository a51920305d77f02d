// A user's whole session on the headless window, through the real POSIX serial backend.

#include "app/command_router.h"
#include "app/main_form.h"
#include "app/program_state.h"
#include "platform/headless/headless_window.h"
#include "platform/posix/posix_serial_port.h"
#include "tests/support/sim_on_com_port.h"
#include "window/control_ids.h"

namespace userdb::test {
namespace {

using WindowSessionOverPty = SimOnComPort;

// A fresh run of the program, with COM n selected in the PortList.
struct ProgramRun {
  explicit ProgramRun(int comNumber) : state(port), router(state, window) {
    InitialiseMainForm(state, window);
    window.SelectPort(comNumber - 1);
  }
  PosixSerialPort port;
  ProgramState state;
  HeadlessWindow window;
  CommandRouter router;
};

TEST_F(WindowSessionOverPty, ConnectDownloadEditSaveUploadAndReadItBack) {
  StartSim(2);
  UserPoint edited;
  {
    ProgramRun run(2);
    HeadlessWindow& window = run.window;
    run.router.Click(ids::kOpenPort);
    EXPECT_EQ(window.TextOf(ids::kSerialNumberLabel), "Serial Number : 20110318");
    run.router.Click(ids::kLoadDatabase);
    ASSERT_EQ(window.TextOf(ids::kPageLabel), "Page 0");
    const TransferImage downloaded = run.state.database.Image();

    window.Type(ids::SpeedField(1), "100");
    window.Type(ids::NoteField(1), "Speed trap, both ways");
    run.router.Click(ids::kSavePage);
    ASSERT_EQ(window.TextOf(ids::kStatusBox), "Save Successful !");
    edited = run.state.database.Point(1);
    EXPECT_EQ(edited.speed, 53);  // 100 km/h in the device's unit
    run.router.Click(ids::kNextPage);
    run.router.Click(ids::kPreviousPage);
    EXPECT_EQ(window.TextOf(ids::SpeedField(1)), "98");

    // Only row 1 changed: every other byte is as the device sent it.
    TransferImage expected = downloaded;
    const TransferImage saved = run.state.database.Image();
    std::copy(saved.begin() + 16, saved.begin() + 32, expected.begin() + 16);
    std::copy(saved.begin() + 4096 + 128, saved.begin() + 4096 + 256, expected.begin() + 4096 + 128);
    EXPECT_EQ(saved, expected);

    run.router.Click(ids::kExitAndWrite);
    EXPECT_EQ(window.Boxes().back().text, "Update User Database successful");
    EXPECT_TRUE(window.IsClosed());
  }
  ProgramRun next(2);
  next.router.Click(ids::kOpenPort);
  next.router.Click(ids::kLoadDatabase);
  EXPECT_EQ(next.state.database.Point(1), edited);
  EXPECT_EQ(next.window.TextOf(ids::NoteField(1)), "Speed trap, both ways");
  EXPECT_TRUE(next.window.Boxes().empty());
}

}  // namespace
}  // namespace userdb::test
