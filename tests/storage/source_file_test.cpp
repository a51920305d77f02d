#include "storage/source_file.h"

#include <fstream>

#include "tests/storage/scratch_folder.h"

namespace userdb::storage {
namespace {

class SourceFileTest : public ScratchFolderTest {
 protected:
  std::filesystem::path File() const { return folder / kSourcesFileName; }
};

TEST_F(SourceFileTest, PointsAreKnownByTheirListInALaterRunAndTheNewestRecordWins) {
  SourceFile sources(folder);
  EXPECT_FALSE(sources.OriginOf(1));
  ASSERT_TRUE(sources.Record({1, 2, 0xFFFFFFFFFFFFFFFFu}, {"cams-2026-11", "2026-11-03"}));
  ASSERT_TRUE(sources.Record({2, 3}, {"cams", "2026-12-01"}));

  const SourceFile later(folder);
  EXPECT_EQ(later.OriginOf(1), (PointOrigin{"cams-2026-11", "2026-11-03"}));
  EXPECT_EQ(later.OriginOf(2), (PointOrigin{"cams", "2026-12-01"}));
  EXPECT_EQ(later.OriginOf(0xFFFFFFFFFFFFFFFFu), (PointOrigin{"cams-2026-11", "2026-11-03"}));
  EXPECT_FALSE(later.OriginOf(4));
}

TEST_F(SourceFileTest, ANameThatWouldBreakALineIsKeptOnOne) {
  SourceFile sources(folder);
  ASSERT_TRUE(sources.Record({7}, {"two\tparts\nand a line", "2026-12-09"}));
  EXPECT_EQ(SourceFile(folder).OriginOf(7), (PointOrigin{"two parts and a line", "2026-12-09"}));
}

TEST_F(SourceFileTest, DamagedLinesCostTheirPointAndNothingElse) {
  std::ofstream(File()) << "userdb point sources 1\n"
                        << "0000000000000001\t2026-12-09\tgood\n"
                        << "000000000000002\t2026-12-09\tshort fingerprint\n"
                        << "000000000000000g\t2026-12-09\tnot hex\n"
                        << "0000000000000004\t2026-12\tshort date\n"
                        << "0000000000000005\t2026-12-09\t\n"
                        << "0000000000000006 2026-12-09 blanks\n"
                        << "0000000000000007\t2026-12-09\talso good\n";
  const SourceFile sources(folder);
  EXPECT_EQ(sources.OriginOf(1), (PointOrigin{"good", "2026-12-09"}));
  EXPECT_EQ(sources.OriginOf(7), (PointOrigin{"also good", "2026-12-09"}));
  for (Fingerprint damaged : {2u, 4u, 5u, 6u}) EXPECT_FALSE(sources.OriginOf(damaged)) << damaged;

  std::ofstream(File()) << "some other file\n0000000000000001\t2026-12-09\tgood\n";
  EXPECT_FALSE(SourceFile(folder).OriginOf(1)) << "a file without our first line is not ours";
}

TEST_F(SourceFileTest, WithoutAFolderEveryPointIsTheDriversAndRecordingSaysSo) {
  SourceFile nowhere(std::nullopt);
  const SourcesResult result = nowhere.Record({1}, {"cams", "2026-12-09"});
  EXPECT_EQ(result.outcome, SourcesOutcome::NoFolder);
  EXPECT_NE(result.message.find("USERDB_DATA_DIR"), std::string::npos);
  EXPECT_FALSE(nowhere.OriginOf(1));
}

}  // namespace
}  // namespace userdb::storage
