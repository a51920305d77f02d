#include "platform/posix/port_argument.h"

#include <gtest/gtest.h>

namespace userdb::posix {
namespace {

TEST(ParsePortArgumentTest, ComNamesAndBareNumbersGiveThePortNumber) {
  EXPECT_EQ(ParsePortArgument("COM5"), PortArgument(5));
  EXPECT_EQ(ParsePortArgument("com5"), PortArgument(5));
  EXPECT_EQ(ParsePortArgument("Com005"), PortArgument(5));
  EXPECT_EQ(ParsePortArgument("COM1"), PortArgument(1));
  EXPECT_EQ(ParsePortArgument("COM256"), PortArgument(256));
  EXPECT_EQ(ParsePortArgument("33"), PortArgument(33));
  EXPECT_EQ(ParsePortArgument("0256"), PortArgument(256));
}

TEST(ParsePortArgumentTest, AnythingWithASlashIsADevicePath) {
  EXPECT_EQ(ParsePortArgument("/dev/ttyUSB0"), PortArgument(std::filesystem::path("/dev/ttyUSB0")));
  EXPECT_EQ(ParsePortArgument("./com5"), PortArgument(std::filesystem::path("./com5")));
}

TEST(ParsePortArgumentTest, RejectsNumbersOutOfRangeAndOtherText) {
  for (const char* text : {"", "COM", "COM0", "0", "COM257", "257", "99999999999999999999", "-5", "COM-5", "+5",
                           "COM 5", " 5", "5x", "COMX", "ttyUSB0", "LPT1"}) {
    EXPECT_EQ(ParsePortArgument(text), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace userdb::posix
