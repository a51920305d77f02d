// `userdb merge` against the in-process device: the driver's points survive every merge, lists
// are read before the device is touched, and nothing is written when the merge is refused.

#include "cli/merge_command.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli_fixture.h"
#include "formats/file_contents.h"
#include "sim/sample_memory.h"
#include "storage/backup_store.h"

namespace userdb::cli {
namespace {

using formats::FileFormat;

// A speed-camera list of count points on a 1.5 km grid around Berlin, nearest first, then a
// camera 8 m from the device's Alexanderplatz point and one in Hamburg.
std::string BerlinList(std::size_t count) {
  std::string text = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n";
  for (std::size_t i = 0; i < count; ++i) {
    const double east = 13.40 + static_cast<double>(i % 20) * 0.022;
    const double north = 52.40 + static_cast<double>(i / 20) * 0.0135;
    text += std::to_string(east) + "," + std::to_string(north) + ",1,50,1,90\r\n";
  }
  return text + "13.405000,52.520070,0,50,0,0\r\n9.990000,53.550000,0,80,0,0\r\n";
}

class MergeCommandTest : public CliFixture {
 protected:
  MergeCommandTest() { context.state.backups = &backups; }

  int Merge(const MergeRequest& request) {
    return RunMerge(request, MergeStreams{output, errors, false, false}, &context);
  }

  MergeRequest DeviceMerge(std::size_t listPoints) {
    WriteText(folder / "camera-list.csv", BerlinList(listPoints));
    MergeRequest request;
    request.baseIsDevice = true;
    request.lists = {{folder / "camera-list.csv", FileFormat::Csv}};
    request.merge.near = formats::EarthPosition{52.52, 13.40};
    request.merge.radiusKm = 50;
    request.merge.fit = formats::CapacityFit::Nearest;
    return request;
  }

  storage::BackupStore backups{folder / "data" / "backups"};
  CommandContext context = Context();
};

TEST_F(MergeCommandTest, AListMergedIntoTheDeviceKeepsItsPointsAndWritesWhatWasLeftOut) {
  const std::vector<std::uint8_t> before = DeviceImage();
  const std::size_t own = sim::SamplePointCount();
  MergeRequest request = DeviceMerge(400);
  request.toDevice = true;
  request.dropped = ListFile{folder / "dropped.txt", FileFormat::SpeedCameraCsv};
  ASSERT_EQ(Merge(request), exit_code::kSuccess) << errors.str();

  const std::vector<std::uint8_t> after = DeviceImage();
  for (std::size_t k = 0; k < own; ++k) {
    EXPECT_TRUE(std::equal(before.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize),
                           before.begin() + static_cast<std::ptrdiff_t>((k + 1) * kRecordSize),
                           after.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize)))
        << "record " << k;
    const std::size_t note = kRecordsBytes + k * kNoteSize;
    EXPECT_TRUE(std::equal(before.begin() + static_cast<std::ptrdiff_t>(note),
                           before.begin() + static_cast<std::ptrdiff_t>(note + kNoteSize),
                           after.begin() + static_cast<std::ptrdiff_t>(note)))
        << "note " << k;
  }
  EXPECT_EQ(formats::PointCount(
                formats::ReadContents(FileFormat::Image, std::string(after.begin(), after.end())).points.database),
            kRecordCount);
  // 400 in the region, one a duplicate of the device's own point, Hamburg outside it.
  const std::string summary = "Merged: " + std::to_string(own) + " kept, " + std::to_string(kRecordCount - own) +
                              " added, 1 duplicate, 1 outside the region, " +
                              std::to_string(400 - (kRecordCount - own)) + " left out for capacity";
  EXPECT_NE(output.str().find(summary), std::string::npos) << output.str();
  const formats::ListRead dropped =
      formats::ReadPointList(FileFormat::SpeedCameraCsv, FileText(folder / "dropped.txt"));
  ASSERT_TRUE(dropped.Ok());
  EXPECT_EQ(dropped.points.size(), 400 - (kRecordCount - own));
  // The farthest are the ones left out: the list's last rows.
  EXPECT_EQ(dropped.points.back().point, formats::ReadPointList(FileFormat::Csv, BerlinList(400)).points[399].point);
  // The base's download and the read-back each left a copy; the first is what the device held.
  ASSERT_EQ(backups.List().size(), 2u);
  EXPECT_EQ(FileBytes(backups.List()[1].file), before);
  EXPECT_EQ(port.OpenCount(), 3);  // read, write, read back
  EXPECT_NE(output.str().find("Read back and verified"), std::string::npos);
}

TEST_F(MergeCommandTest, ADryRunTellsTheSummaryAndWritesNothing) {
  const std::vector<std::uint8_t> before = DeviceImage();
  MergeRequest request = DeviceMerge(100);
  request.dryRun = true;
  request.toDevice = true;
  request.output = ListFile{folder / "merged.bin", FileFormat::Image};
  ASSERT_EQ(Merge(request), exit_code::kSuccess) << errors.str();
  EXPECT_NE(output.str().find("Merged: "), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "merged.bin"));
  EXPECT_EQ(DeviceImage(), before);
  EXPECT_EQ(port.OpenCount(), 1);
}

TEST_F(MergeCommandTest, ABrokenListIsRefusedByItsLineBeforeTheDeviceIsTouched) {
  MergeRequest request = DeviceMerge(10);
  WriteText(folder / "broken.csv", "8.1,50.1,\"Stray \"quote\",\"\"\r\n");
  request.lists.push_back({folder / "broken.csv", FileFormat::GarminCsv});
  request.toDevice = true;
  ASSERT_EQ(Merge(request), exit_code::kFileProblem);
  EXPECT_NE(errors.str().find((folder / "broken.csv").string() + ":1"), std::string::npos) << errors.str();
  EXPECT_EQ(port.OpenCount(), 0);
}

TEST_F(MergeCommandTest, MoreThanTheDeviceHoldsIsRefusedWithTheCountAndNothingIsWritten) {
  const std::vector<std::uint8_t> before = DeviceImage();
  MergeRequest request = DeviceMerge(300);
  request.merge.fit = formats::CapacityFit::Refuse;
  request.toDevice = true;
  request.output = ListFile{folder / "merged.csv", FileFormat::Csv};
  ASSERT_EQ(Merge(request), exit_code::kFileProblem);
  EXPECT_NE(errors.str().find("the merge would hold " + std::to_string(sim::SamplePointCount() + 300) + " points"),
            std::string::npos)
      << errors.str();
  EXPECT_FALSE(std::filesystem::exists(folder / "merged.csv"));
  EXPECT_EQ(DeviceImage(), before);
}

TEST_F(MergeCommandTest, AFileBaseAndListsNeedNoDevice) {
  WriteText(folder / "a.csv", BerlinList(3));
  WriteText(folder / "b.csv", BerlinList(5));  // its first three duplicate a's
  MergeRequest request;
  request.base = ListFile{DataFile("points.bin"), FileFormat::Image};
  request.lists = {{folder / "a.csv", FileFormat::Csv}, {folder / "b.csv", FileFormat::Csv}};
  request.output = ListFile{folder / "merged.csv", FileFormat::Csv};
  ASSERT_EQ(RunMerge(request, MergeStreams{output, errors, false, false}, nullptr), exit_code::kSuccess)
      << errors.str();
  EXPECT_NE(output.str().find("added, 6 duplicates"), std::string::npos) << output.str();
  EXPECT_TRUE(std::filesystem::exists(folder / "merged.csv"));
  EXPECT_EQ(port.OpenCount(), 0);
}

}  // namespace
}  // namespace userdb::cli
