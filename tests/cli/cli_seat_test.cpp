#include "cli/cli_seat.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/exit_codes.h"
#include "cli_fixture.h"

namespace userdb::cli {
namespace {

PortFailure Failed(OpenStatus status, std::string message = "") {
  return {33, OpenResult{status, std::move(message), "/dev/ttyUSB0"}};
}

TEST(CommandLineSeatTest, EveryReasonIsNamedWithTheSystemsWords) {
  EXPECT_EQ(DescribeOpenFailure(Failed(OpenStatus::NoSuchPort, "No such file or directory"), std::nullopt),
            "Can not Open COM33: no such port (No such file or directory)");
  EXPECT_EQ(DescribeOpenFailure(Failed(OpenStatus::Busy, "lock file /var/lock/LCK..ttyUSB0, process 7"), std::nullopt),
            "Can not Open COM33: another program holds it (lock file /var/lock/LCK..ttyUSB0, process 7)");
  EXPECT_EQ(DescribeOpenFailure(Failed(OpenStatus::SettingsRefused), std::nullopt),
            "Can not Open COM33: it would not take the line settings (115200 baud, 8N1)");
  EXPECT_EQ(DescribeOpenFailure(Failed(OpenStatus::NotConnected), std::nullopt),
            "Can not Open COM33: the Bluetooth link did not connect within 10 s");
  // A port given by its path is named by it, not by the COM number the window would select.
  EXPECT_EQ(DescribeOpenFailure(Failed(OpenStatus::NoPermission, "Permission denied"), "/dev/ttyUSB0"),
            "Can not open /dev/ttyUSB0: no permission to open it (Permission denied)");
}

TEST(CommandLineSeatTest, NoPermissionComesWithTheDialoutHint) {
  std::ostringstream errors;
  CommandLineSeat seat(errors, std::nullopt);
  seat.PortNotOpened(Failed(OpenStatus::NoPermission, "Permission denied"));
  const std::string said = errors.str();
  EXPECT_EQ(said.find("userdb: Can not Open COM33: no permission to open it (Permission denied)\n"), 0u) << said;
#ifdef __linux__
  EXPECT_NE(said.find("dialout group: join it with `sudo usermod -aG dialout $USER`"), std::string::npos) << said;
#endif
  errors.str("");
  seat.PortNotOpened(Failed(OpenStatus::Busy));
  EXPECT_EQ(errors.str(), "userdb: Can not Open COM33: another program holds it\n");
}

using CommandLineSeatOnDeviceTest = CliFixture;

TEST_F(CommandLineSeatOnDeviceTest, WaitsAndRetriesAreToldOnStderr) {
  CommandContext context = Context();
  context.state.link.handshakeTries = 2;
  port.SetLinkDelay(std::chrono::seconds(2));
  EXPECT_EQ(RunInfo(context), exit_code::kSuccess);
  EXPECT_EQ(errors.str(), "userdb: waiting up to 10 s for the Bluetooth link on COM5 to connect\n");

  errors.str("");
  port.SetLinkDelay(std::nullopt);
  device.Faults().wrongAnswer = true;
  EXPECT_EQ(RunInfo(context), exit_code::kDeviceFailure);
  EXPECT_EQ(errors.str(),
            "userdb: no proper answer to the update request (try 1 of 2), trying again\n"
            "userdb: Device can not into update mode,please try again\n");
  EXPECT_EQ(port.OpenCount(), 3);
}

}  // namespace
}  // namespace userdb::cli
