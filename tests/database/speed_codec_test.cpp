#include "database/speed_codec.h"

#include <gtest/gtest.h>

namespace userdb {
namespace {

TEST(SpeedCodec, KilometerAndMileRoundTrips) {
  EXPECT_EQ(StoredSpeed(100, 1), 53);
  EXPECT_EQ(ShownSpeed(53, 1), 98u);
  EXPECT_EQ(StoredSpeed(100, 0), 86);
  EXPECT_EQ(ShownSpeed(86, 0), 99u);
  EXPECT_EQ(StoredSpeed(60, 1), 32);
  EXPECT_EQ(StoredSpeed(60, 0), 52);
  EXPECT_EQ(StoredSpeed(999, 1), 538);
  EXPECT_EQ(StoredSpeed(999, 0), 867);
}

TEST(SpeedCodec, OnlyZeroMeansMile) {
  for (const std::uint8_t unit : {1, 2, 0xFF}) {
    EXPECT_EQ(StoredSpeed(100, unit), 53) << int{unit};
    EXPECT_EQ(ShownSpeed(53, unit), 98u) << int{unit};
  }
}

}  // namespace
}  // namespace userdb
