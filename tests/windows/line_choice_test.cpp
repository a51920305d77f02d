// The Windows command line's serial lines: COM numbers only.

#include "cli/line_choice.h"
#include <gtest/gtest.h>

namespace userdb::cli {
namespace {

TEST(WindowsLineChoice, ComNumbersNameTheirPortAndNothingElseIsAPort) {
  EXPECT_EQ(ChooseLine(std::nullopt)->portNumber, 2);
  EXPECT_EQ(ChooseLine("COM5")->portNumber, 5);
  EXPECT_EQ(ChooseLine("com12")->portNumber, 12);
  EXPECT_EQ(ChooseLine("256")->portNumber, 256);
  for (const char* wrong : {"COM0", "COM257", "/dev/ttyS0", "\\\\.\\COM5", "COM", "-3"}) {
    EXPECT_FALSE(ChooseLine(std::string_view(wrong)).has_value()) << wrong;
  }
}

}  // namespace
}  // namespace userdb::cli
