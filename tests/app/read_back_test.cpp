#include "app/read_back.h"

#include <gtest/gtest.h>

namespace userdb {
namespace {

TEST(ReadBack, TheFirstDifferenceIsNamedByRecordOrNote) {
  TransferImage sent{};
  sent.fill(0xFF);
  EXPECT_FALSE(FirstDifference(sent, sent).has_value());

  TransferImage read = sent;
  read[8 * 16 + 9] = 0x00;
  read[kRecordsBytes + 5] = 0x00;  // later differences are not named
  EXPECT_EQ(FirstDifference(sent, read), "offset 137 (record 8, byte 9 (speed)): sent 0xFF, read back 0x00");

  read = sent;
  read[3 * 16 + 14] = 0x12;
  EXPECT_EQ(FirstDifference(sent, read),
            "offset 62 (record 3, byte 14 (device's own byte)): sent 0xFF, read back 0x12");

  read = sent;
  read[kImageSize - 1] = 0x41;
  EXPECT_EQ(FirstDifference(sent, read), "offset 36863 (note 255, byte 127): sent 0xFF, read back 0x41");
}

}  // namespace
}  // namespace userdb
