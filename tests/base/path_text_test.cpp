#include "base/path_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace userdb {
namespace {

// On POSIX a file's name is its bytes: whatever they are, the texts carry them unchanged.
TEST(PathText, APathsBytesAreItsTextAndComeBackAsThePath) {
  const std::vector<std::string> names{
      "cameras.csv",
      "/home/driver/Łódź κάμερες.csv",  // UTF-8
      "/tmp/相機 備份.bin",
      "K\xF6ln.csv",  // Latin-1, not UTF-8
      "\xFF\xFE\x80 broken.txt",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::filesystem::path path(name);
    EXPECT_EQ(PathText(path), name);
    EXPECT_EQ(PathOfText(name).native(), path.native());
    EXPECT_EQ(PathOfText(PathText(path)), path);
  }
}

TEST(PathText, PartsOfAPathKeepTheirBytes) {
  const std::filesystem::path path = PathOfText("/data/Łódź/κάμερες 2026.csv");
  EXPECT_EQ(PathText(path.filename()), "κάμερες 2026.csv");
  EXPECT_EQ(PathText(path.stem()), "κάμερες 2026");
  EXPECT_EQ(PathText(path.parent_path()), "/data/Łódź");
  EXPECT_EQ(PathText(path.parent_path() / "相機.gpx"), "/data/Łódź/相機.gpx");
  EXPECT_EQ(PathText({}), "");
}

}  // namespace
}  // namespace userdb
