// What the import dialog shows beside the summary: each change of reading the list once with its
// count, and the points added before those left out.

#include "menus/import_preview.h"

#include <gtest/gtest.h>

#include "menus/change_lines.h"

namespace userdb::menus {
namespace {

using formats::CapacityFit;
using formats::Change;
using formats::ListPoint;

constexpr std::string_view kAllDirections = "all directions: stored as a point without a direction";

// North and east only, as stored units.
UserPoint At(double latitude, double longitude) {
  return UserPoint{.longitude = static_cast<std::uint32_t>(longitude * 600000 + 0.5),
                   .latitude = static_cast<std::uint32_t>(latitude * 600000 + 0.5),
                   .speed = 50};
}

TEST(ChangeLines, AChangeMadeOnceKeepsItsOwnLine) {
  const std::vector<Change> changes{{12, 0, std::string(kAllDirections), ""},
                                    {0, 3, "speed of 400 km/h left out", "node 17"}};
  EXPECT_EQ(ChangeLines("f.txt", changes), (std::vector<std::string>{"f.txt:12: " + std::string(kAllDirections),
                                                                     "f.txt: node 17: speed of 400 km/h left out"}));
  EXPECT_TRUE(ChangeLines("f.txt", {}).empty());
}

TEST(ChangeLines, TheSameChangeMadeOftenIsOneLineWithItsCountWhereItWasFirstMade) {
  const std::vector<Change> changes{{2, 0, "note cut to 127 bytes", ""},      {3, 0, std::string(kAllDirections), ""},
                                    {4, 0, "speed of 400 km/h left out", ""}, {5, 0, std::string(kAllDirections), ""},
                                    {0, 9, std::string(kAllDirections), ""},  {7, 0, "note cut to 127 bytes", ""}};
  EXPECT_EQ(ChangeLines("f.txt", changes),
            (std::vector<std::string>{"2 points: note cut to 127 bytes", "3 points: " + std::string(kAllDirections),
                                      "f.txt:4: speed of 400 km/h left out"}));
}

TEST(ImportPreview, ListsThePointsAddedThenThoseLeftOutThenTheChanges) {
  UserDatabase base;
  for (std::size_t k = 0; k < kRecordCount - 2; ++k) base.SetPoint(k, At(40.0, 0.01 * static_cast<double>(k)));
  const std::vector<ListPoint> list{
      {At(50.0, 9.0), "first", 2, 0}, {At(50.1, 9.0), "second", 3, 0}, {At(50.2, 9.0), "third", 4, 0}};
  formats::MergeOptions options;
  options.fit = CapacityFit::First;
  const ImportPreview preview =
      PreviewImport(formats::MergePoints(base, list, options), {"3 points: " + std::string(kAllDirections)});
  EXPECT_TRUE(preview.canImport);
  EXPECT_EQ(preview.summary, "Merged: 254 kept, 2 added, 0 duplicates, 0 outside the region, 1 left out for capacity");
  EXPECT_EQ(preview.details, (std::vector<std::string>{"adds \"first\" at 50.0000000,9.0000000",
                                                       "adds \"second\" at 50.1000000,9.0000000",
                                                       "left out for capacity: \"third\" at 50.2000000,9.0000000",
                                                       "3 points: " + std::string(kAllDirections)}));
}

TEST(ImportPreview, AnImportThatDoesNotFitListsNoPointsOnlyTheChanges) {
  UserDatabase base;
  for (std::size_t k = 0; k < kRecordCount; ++k) base.SetPoint(k, At(40.0, 0.01 * static_cast<double>(k)));
  const std::vector<ListPoint> list{{At(50.0, 9.0), "one", 2, 0}};
  const ImportPreview preview = PreviewImport(formats::MergePoints(base, list, {}), {"f.txt:2: changed"});
  EXPECT_FALSE(preview.canImport);
  EXPECT_EQ(preview.details, std::vector<std::string>{"f.txt:2: changed"});
}

}  // namespace
}  // namespace userdb::menus
