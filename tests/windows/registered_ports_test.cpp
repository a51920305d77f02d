// `userdb.exe ports` against Wine's own ports: what its SetupAPI answers for the Ports class,
// and the serial links of its prefix, which the command line's Windows stage relies on.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/line_choice.h"
#include "platform/win32/setupapi_registry.h"
#include "tests/windows/wine_com_link.h"

namespace userdb::cli {
namespace {

// Far above the ports a prefix starts with (COM1 to COM4 at most).
constexpr int kLinkedPort = 201;

// The walk ends, and what it names are ports. (Wine 8 keeps no device in the Ports class, its
// COM ports being dosdevices links only; the recorded answers of the native tests stand in.)
TEST(WinePorts, TheSetupApiWalkEndsAndNamesOnlyPorts) {
  for (const win32::RegisteredPort& port : win32::SetupApiRegistry().Ports()) {
    EXPECT_TRUE(port.portName.starts_with("COM") || port.portName.starts_with("LPT"))
        << port.portName << " \"" << port.friendlyName << "\" " << port.instanceId << " " << port.driver;
  }
}

TEST(WinePorts, ALinkInThePrefixIsListedAsAPortWithoutHardware) {
  const test::WineComLink link(kLinkedPort, "/dev/ptmx");
  if (!link) GTEST_SKIP() << "not under Wine, or its dosdevices folder takes no link";
  const std::vector<ListedLine> lines = ListLines();
  const auto linked =
      std::ranges::find_if(lines, [](const ListedLine& line) { return line.portNumber == kLinkedPort; });
  ASSERT_NE(linked, lines.end());
  EXPECT_EQ(linked->device, "\\\\.\\COM201");
  EXPECT_FALSE(linked->hardware);
  EXPECT_TRUE(std::ranges::is_sorted(lines, {}, &ListedLine::portNumber));
}

}  // namespace
}  // namespace userdb::cli
