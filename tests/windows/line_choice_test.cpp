// The Windows command line's serial lines: COM numbers only.

#include "cli/line_choice.h"
#include <gtest/gtest.h>

namespace userdb::cli {
namespace {

TEST(WindowsLineChoice, ComNumbersNameTheirPortAndNothingElseIsAPort) {
  EXPECT_EQ(ChooseLine(std::nullopt).line.portNumber, 2);
  EXPECT_EQ(ChooseLine("COM5").line.portNumber, 5);
  EXPECT_EQ(ChooseLine("com12").line.portNumber, 12);
  EXPECT_EQ(ChooseLine("256").line.portNumber, 256);
  for (const char* wrong : {"COM0", "COM257", "/dev/ttyS0", "\\\\.\\COM5", "COM", "-3"}) {
    const LineChoiceResult chosen = ChooseLine(std::string_view(wrong));
    EXPECT_EQ(chosen.outcome, LineOutcome::NoSuchPort) << wrong;
    EXPECT_EQ(chosen.message, "no port is called \"" + std::string(wrong) + "\"");
  }
}

}  // namespace
}  // namespace userdb::cli
