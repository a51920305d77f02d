#include "database/user_database.h"
#include "database/point_fingerprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace userdb {
namespace {

TEST(UserDatabase, PointIsLittleEndianAndLeavesTheDeviceBytesAlone) {
  UserDatabase database;
  const auto record = database.Record(3);
  record[13] = 0x11;
  record[14] = 0x22;
  record[15] = 0x33;
  const UserPoint point{.longitude = 0x845867B7, .latitude = 0x00E54368, .speed = 0x0120, .direction = 359, .type = 1};
  database.SetPoint(3, point);
  const std::vector<std::uint8_t> expected = {0xB7, 0x67, 0x58, 0x84, 0x68, 0x43, 0xE5, 0x00,
                                              0x20, 0x01, 0x67, 0x01, 0x01, 0x11, 0x22, 0x33};
  EXPECT_EQ(std::vector<std::uint8_t>(record.begin(), record.end()), expected);
  EXPECT_EQ(database.Point(3), point);
  EXPECT_TRUE(database.Point(2).IsEmpty());
}

TEST(UserDatabase, EmptyNeedsBothCoordinatesErased) {
  EXPECT_TRUE((UserPoint{.speed = 5, .direction = 5, .type = 0}.IsEmpty()));
  EXPECT_FALSE((UserPoint{.longitude = kNoCoordinate, .latitude = 0}.IsEmpty()));
  EXPECT_FALSE((UserPoint{.longitude = 0, .latitude = kNoCoordinate}.IsEmpty()));
}

TEST(UserDatabase, ImageIsRecordsThenNotes) {
  UserDatabase database;
  TransferImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  database.SetImage(image);
  EXPECT_EQ(database.Record(255)[15], image[kRecordsBytes - 1]);
  EXPECT_EQ(database.Note(0)[0], image[kRecordsBytes]);
  EXPECT_EQ(database.Note(255)[127], image[kImageSize - 1]);
  EXPECT_EQ(database.Image(), image);

  database.ClearRecords();
  database.ClearNotes();
  const TransferImage cleared = database.Image();
  EXPECT_TRUE(std::all_of(cleared.begin(), cleared.end(), [](std::uint8_t b) { return b == 0xFF; }));
}

}  // namespace
}  // namespace userdb

namespace userdb {
namespace {

TEST(PointFingerprint, ChangesWithWhatTheDriverCanEditButNotWithTheDevicesOwnBytes) {
  UserDatabase database;
  database.SetPoint(0, UserPoint{0x00733F40, 0x01E0DF00, 0x0050, 90, 1});
  const std::string note = "Alexanderplatz";
  std::copy(note.begin(), note.end(), database.Note(0).begin());
  database.Note(0)[note.size()] = 0;
  const Fingerprint original = FingerprintOf(database, 0);

  UserDatabase deviceBytes = database;
  deviceBytes.Record(0)[13] = 0x12;
  deviceBytes.Record(0)[15] = 0x34;
  deviceBytes.Note(0)[note.size() + 5] = 'x';  // beyond the note's end
  EXPECT_EQ(FingerprintOf(deviceBytes, 0), original);

  for (std::size_t byte = 0; byte < 13; ++byte) {
    UserDatabase edited = database;
    edited.Record(0)[byte] ^= 0x01;
    EXPECT_NE(FingerprintOf(edited, 0), original) << "record byte " << byte;
  }
  UserDatabase renamed = database;
  renamed.Note(0)[0] = 'a';
  EXPECT_NE(FingerprintOf(renamed, 0), original);
  UserDatabase moved = database;  // the same point in another record is the same point
  std::copy(database.Record(0).begin(), database.Record(0).end(), moved.Record(9).begin());
  std::copy(database.Note(0).begin(), database.Note(0).end(), moved.Note(9).begin());
  EXPECT_EQ(FingerprintOf(moved, 9), original);
}

}  // namespace
}  // namespace userdb
