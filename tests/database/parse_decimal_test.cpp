#include "database/parse_decimal.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace userdb {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(ParseDecimal, TakesDigitsWithLeadingZeros) {
  EXPECT_EQ(ParseDecimal("007"), 7u);
  EXPECT_EQ(ParseDecimal(std::string(30, '0') + "1"), 1u);
  EXPECT_EQ(ParseDecimal("1000000"), 1000000u);
  EXPECT_EQ(ParseDecimal("0"), 0u);
}

TEST(ParseDecimal, RefusesAnythingButDigits) {
  for (const std::string text : {"", "+5", " 5", "5 ", "5.0", "-1", "1a", "NULL", "\x80", "5\xB9"}) {
    EXPECT_EQ(ParseDecimal(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(ParseDecimal, ValuesPastSixtyFourBitsStayAboveEveryBound) {
  EXPECT_EQ(ParseDecimal("18446744073709551614"), kMax - 1);
  EXPECT_EQ(ParseDecimal("18446744073709551616"), kMax);
  EXPECT_EQ(ParseDecimal("100000000000000000000"), kMax);
  EXPECT_EQ(ParseDecimal(std::string(31, '9')), kMax);
}

}  // namespace
}  // namespace userdb
