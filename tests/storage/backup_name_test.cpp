#include "storage/backup_name.h"

#include <gtest/gtest.h>

namespace userdb::storage {
namespace {

TEST(BackupNameTest, NamesGoBothWaysWithAndWithoutSerialAndSequence) {
  const std::vector<BackupName> names = {
      {"20261209", "010203", std::nullopt, 1},
      {"20261209", "010203", 20110318, 1},
      {"20261209", "010203", 20110318, 3},
      {"20261209", "010203", std::nullopt, 12},
      {"20261209", "010203", 0, 1},
      {"20261209", "010203", 20110318, 2, true},
      {"20261209", "010203", std::nullopt, 1, true},
  };
  for (const BackupName& name : names) {
    EXPECT_EQ(ParseBackupName(name.FileName()), name) << name.FileName();
  }
  EXPECT_EQ(names[1].FileName(), "userdb-20261209-010203-SN20110318.bin");
  EXPECT_EQ(names[3].FileName(), "userdb-20261209-010203-12.bin");
  EXPECT_EQ(names[5].FileName(), "userdb-20261209-010203-SN20110318-2-before-write.bin");
  EXPECT_EQ(names[0].Moment(), "2026-12-09 01:02:03");
}

TEST(BackupNameTest, OtherFilesAreNotBackups) {
  for (const char* other :
       {"userdb-20261209-010203.csv", "points.bin", "userdb-2026129-010203.bin", "userdb-20261209-0102030.bin",
        "userdb-20261209_010203.bin", "userdb-20261209-010203-SN.bin", "userdb-20261209-010203-SNx.bin",
        "userdb-20261209-010203-1.bin", "userdb-20261209-010203-SN99999999999.bin", "userdb-.bin",
        "userdb-2026120x-010203.bin", "userdb-20261209-010203-1-before-write.bin", "userdb--before-write.bin",
        "userdb-20261209-010203-before-write-2.bin", "userdb-20261209-010203-SN-before-write.bin"}) {
    EXPECT_EQ(ParseBackupName(other), std::nullopt) << other;
  }
}

TEST(BackupNameTest, LaterMomentsAndLaterSequencesSortAfter) {
  const BackupName first{"20261209", "235959", 7, 1};
  const BackupName sameSecond{"20261209", "235959", 7, 2};
  const BackupName nextDay{"20261210", "000000", std::nullopt, 1};
  EXPECT_LT(first, sameSecond);
  EXPECT_LT(sameSecond, nextDay);
  const BackupName marked{"20261209", "235959", 7, 2, true};
  EXPECT_LT(first, marked);
}

TEST(BackupNameTest, TheMomentIsTakenInLocalTime) {
  const std::time_t moment = 1765242123;  // some moment; its local form depends on the zone
  std::tm local{};
  localtime_r(&moment, &local);
  char expected[32];
  std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &local);
  const BackupName name = NameFor(moment, 42);
  EXPECT_EQ(name.Moment(), expected);
  EXPECT_EQ(name.serialNumber, 42u);
}

}  // namespace
}  // namespace userdb::storage
