// The file types the dialogs offer come from the formats table: a format the table reads is
// offered for opening, one it writes for saving, each under the extensions its files have.

#include <gtest/gtest.h>

#include <algorithm>

#include "menus/export_points.h"
#include "menus/file_kinds.h"

namespace userdb::menus {
namespace {

using formats::FileFormat;

bool Offers(const FileKind& kind, const std::string& pattern) {
  return std::find(kind.patterns.begin(), kind.patterns.end(), pattern) != kind.patterns.end();
}

TEST(FileKinds, OpeningOffersEveryReadableFormatAndAllOfThemAtOnce) {
  const std::vector<FileKind> kinds = KindsToOpen();
  ASSERT_FALSE(kinds.empty());
  const FileKind& all = kinds.front();
  EXPECT_FALSE(all.format);
  for (const std::string pattern : {"*.bin", "*.csv", "*.txt", "*.ov2"}) EXPECT_TRUE(Offers(all, pattern)) << pattern;
  EXPECT_FALSE(Offers(all, "*.kml"));  // written for looking at, never read
  for (std::size_t i = 1; i < kinds.size(); ++i) {
    ASSERT_TRUE(kinds[i].format);
    EXPECT_TRUE(formats::CanRead(*kinds[i].format));
    for (const std::string& pattern : kinds[i].patterns) EXPECT_TRUE(Offers(all, pattern)) << pattern;
  }
  EXPECT_EQ(std::count(all.patterns.begin(), all.patterns.end(), "*.csv"), 1);
}

TEST(FileKinds, AFileTakesTheKindsFormatElseItsExtensions) {
  const std::vector<FileKind> kinds = KindsToOpen();
  EXPECT_EQ(FormatFor(kinds.front(), "a/points.OV2"), FileFormat::Ov2);
  EXPECT_EQ(FormatFor(kinds.front(), "a/points.csv"), FileFormat::Csv);
  EXPECT_EQ(FormatFor(kinds.front(), "a/points"), std::nullopt);
  const auto garmin = std::find_if(kinds.begin(), kinds.end(),
                                   [](const FileKind& kind) { return kind.format == FileFormat::GarminCsv; });
  ASSERT_NE(garmin, kinds.end());
  EXPECT_EQ(garmin->Described(), "Garmin POI CSV files (*.csv)");
  EXPECT_EQ(FormatFor(*garmin, "a/points.csv"), FileFormat::GarminCsv);  // a .csv is ours unless named
}

TEST(FileKinds, SavingOffersEveryWritableFormatTheImageFirstAndAddsTheExtension) {
  const std::vector<FileKind> kinds = KindsToSave();
  ASSERT_FALSE(kinds.empty());
  EXPECT_EQ(kinds.front().format, FileFormat::Image);
  for (const FileKind& kind : kinds) EXPECT_TRUE(formats::CanWrite(*kind.format));
  EXPECT_EQ(BackupKinds().size(), 1u);
  EXPECT_EQ(WithExtension("x/points", kinds.front()), "x/points.bin");
  EXPECT_EQ(WithExtension("x/points.dat", kinds.front()), "x/points.dat");  // the user's own choice stands
}

TEST(FileKinds, ARouteIsChosenAmongGpxAndKmlFilesTogetherOrEach) {
  const std::vector<FileKind> kinds = RouteKinds();
  ASSERT_EQ(kinds.size(), 3u);
  EXPECT_EQ(kinds[0].Described(), "Route files (*.gpx *.kml)");
  EXPECT_EQ(kinds[1].Described(), "GPX files (*.gpx)");
  EXPECT_EQ(kinds[2].Described(), "KML files (*.kml)");
  for (const FileKind& kind : kinds) EXPECT_FALSE(kind.format) << "the route reader tells them apart by what they hold";
}

}  // namespace
}  // namespace userdb::menus
