// Files in any format as the commands see them, and export and import between them.

#include "cli/file_messages.h"

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "cli/file_commands.h"
#include "cli_fixture.h"

namespace userdb::cli {
namespace {

using formats::FileFormat;
using FileCommandsTest = CliFixture;

Conversion Convert(const std::filesystem::path& input, FileFormat from, const std::filesystem::path& output,
                   FileFormat to, bool forDevice) {
  Conversion conversion;
  conversion.input = input;
  conversion.load.format = from;
  conversion.load.forDevice = forDevice;
  conversion.output = output;
  conversion.outputFormat = to;
  return conversion;
}

TEST_F(FileCommandsTest, TheFormatComesFromItsNameOrTheExtension) {
  files::Complaints complaints;
  const auto choose = [&complaints](const std::string& path, const std::string& named, files::FileUse use) {
    const files::FileResult<FileFormat> chosen = files::ChooseFormat(path, named, use);
    complaints.insert(complaints.end(), chosen.complaints.begin(), chosen.complaints.end());
    return chosen ? std::optional(chosen.value) : std::nullopt;
  };
  EXPECT_EQ(choose("a.GPX", "", files::FileUse::Read), FileFormat::Gpx);
  EXPECT_EQ(choose("a.txt", "csv", files::FileUse::Write), FileFormat::Csv);
  EXPECT_TRUE(complaints.empty());
  EXPECT_EQ(choose("speedcam.txt", "", files::FileUse::Write), FileFormat::SpeedCameraCsv);
  EXPECT_EQ(choose("pois.csv", "garmin", files::FileUse::Read), FileFormat::GarminCsv);
  EXPECT_TRUE(complaints.empty());
  EXPECT_FALSE(choose("a.dat", "", files::FileUse::Read));
  EXPECT_FALSE(choose("a.kml", "", files::FileUse::Read));
  EXPECT_FALSE(choose("a.csv", "tomtom", files::FileUse::Write));
  EXPECT_EQ(files::ChooseFormat("a.dat", "", files::FileUse::Read).outcome, files::FileOutcome::UnknownFormat);
  EXPECT_EQ(files::ChooseFormat("a.kml", "", files::FileUse::Read).outcome, files::FileOutcome::UnusableFormat);
  EXPECT_EQ(files::ChooseFormat("a.csv", "tomtom", files::FileUse::Write).outcome, files::FileOutcome::UnknownFormat);
  EXPECT_EQ(complaints, (files::Complaints{
                            "cannot tell the format of a.dat from its name: use .bin, .csv, .gpx, .kml, .txt, .ov2, "
                            ".osm or .osm.pbf, or give "
                            "--format",
                            "kml files are written for looking at, not read",
                            "no format is called \"tomtom\"",
                        }));
}

TEST_F(FileCommandsTest, AFileThatFailsSaysWhetherItWasUnreadableRefusedOrUnwritable) {
  files::LoadRequest csv;
  csv.format = FileFormat::Csv;
  const files::FileResult<formats::PointsFile> missing = files::LoadPointsFile(folder / "absent.csv", csv);
  EXPECT_EQ(missing.outcome, files::FileOutcome::CannotRead);
  EXPECT_EQ(missing.complaints.size(), 1u);

  WriteText(folder / "short.bin", "abc");
  const files::FileResult<formats::PointsFile> refused =
      files::LoadPointsFile(folder / "short.bin", files::LoadRequest());  // an image, by default
  EXPECT_EQ(refused.outcome, files::FileOutcome::Refused);
  EXPECT_FALSE(refused.complaints.empty());

  const files::SaveResult unwritable =
      files::SavePointsFile(folder / "no-such-folder" / "out.csv", FileFormat::Csv, UserDatabase());
  EXPECT_EQ(unwritable.outcome, files::FileOutcome::CannotWrite);
  EXPECT_EQ(unwritable.complaints,
            files::Complaints{"cannot write " + (folder / "no-such-folder" / "out.csv").string()});

  const files::SaveResult saved = files::SavePointsFile(folder / "out.csv", FileFormat::Csv, UserDatabase());
  EXPECT_EQ(saved.outcome, files::FileOutcome::Done);
  EXPECT_TRUE(saved.complaints.empty());
  EXPECT_EQ(files::LoadPointsFile(folder / "out.csv", csv).outcome, files::FileOutcome::Done);
}

// A database file has a size no real one passes; a list has none, and an extract is streamed.
TEST_F(FileCommandsTest, AListIsReadWhateverItsSizeWhileADatabaseFileKeepsItsBound) {
  const std::string camera = "<node id=\"1\" lat=\"52.5\" lon=\"13.4\"><tag k=\"highway\" v=\"speed_camera\"/></node>";
  WriteText(folder / "big.osm", "<osm><!--" + std::string(std::size_t{17} << 20, 'x') + "-->" + camera + "</osm>");
  const files::FileResult<files::ListFile> list = files::ReadListFile(folder / "big.osm", FileFormat::Osm, {});
  ASSERT_EQ(list.outcome, files::FileOutcome::Done) << list.complaints.front();
  EXPECT_EQ(list.value.points.size(), 1u);
  files::LoadRequest osm;
  osm.format = FileFormat::Osm;
  const files::FileResult<formats::PointsFile> database = files::LoadPointsFile(folder / "big.osm", osm);
  EXPECT_EQ(database.outcome, files::FileOutcome::CannotRead);
  EXPECT_NE(database.complaints.at(0).find("is too large for a database file"), std::string::npos);

  const files::FileResult<files::ListFile> absent =
      files::ReadListFile(folder / "absent.osm.pbf", FileFormat::OsmPbf, {});
  EXPECT_EQ(absent.outcome, files::FileOutcome::CannotRead);
  EXPECT_EQ(absent.complaints.at(0).rfind("cannot read " + (folder / "absent.osm.pbf").string() + ": ", 0), 0u);
}

TEST_F(FileCommandsTest, ExportCarriesAnyImageAndImportOnlyWhatADeviceTakes) {
  const std::filesystem::path odd = folder / "odd.bin";
  std::string image(kImageSize, '\xFF');
  image.replace(0, 4, 4, '\0');  // longitude 0 without a latitude: no device takes it
  WriteText(odd, image);

  EXPECT_EQ(
      RunConversion(Convert(odd, FileFormat::Image, folder / "odd.gpx", FileFormat::Gpx, false), output, errors, false),
      exit_code::kSuccess);
  EXPECT_EQ(output.str(), "Wrote 1 points to " + (folder / "odd.gpx").string() + "\n");
  EXPECT_EQ(RunConversion(Convert(folder / "odd.gpx", FileFormat::Gpx, folder / "back.bin", FileFormat::Image, false),
                          output, errors, true),
            exit_code::kSuccess);
  EXPECT_EQ(FileText(folder / "back.bin"), image);

  EXPECT_EQ(
      RunConversion(Convert(odd, FileFormat::Image, folder / "odd.csv", FileFormat::Csv, true), output, errors, false),
      exit_code::kFileProblem);
  EXPECT_EQ(errors.str(),
            "userdb: " + odd.string() + ": record 0: latitude: Latitude - degress must under 90 (shown as 3579)\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "odd.csv"));
}

TEST_F(FileCommandsTest, AMalformedFileWritesNothingAndListsItsFirstProblems) {
  const std::filesystem::path bad = folder / "bad.csv";
  std::string rows = "index,longitude,latitude\r\n";
  for (int i = 0; i < 30; ++i) rows += std::to_string(i) + ",x,1\r\n";
  WriteText(bad, rows);
  const std::filesystem::path target = folder / "target.bin";
  WriteText(target, "kept");
  EXPECT_EQ(RunConversion(Convert(bad, FileFormat::Csv, target, FileFormat::Image, false), output, errors, false),
            exit_code::kFileProblem);
  EXPECT_EQ(FileText(target), "kept");
  const std::string said = errors.str();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 21);
  EXPECT_EQ(said.find("userdb: " + bad.string() + ":2: longitude: \"x\" is not decimal degrees\n"), 0u);
  EXPECT_NE(said.find(bad.string() + ": and 10 more problems\n"), std::string::npos);

  errors.str("");
  EXPECT_EQ(RunConversion(Convert(folder / "missing.csv", FileFormat::Csv, target, FileFormat::Image, false), output,
                          errors, false),
            exit_code::kFileProblem);
  EXPECT_EQ(errors.str().find("userdb: cannot read " + (folder / "missing.csv").string()), 0u);
}

}  // namespace
}  // namespace userdb::cli
