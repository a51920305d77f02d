#include "sim/image_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "sim/sample_memory.h"

namespace userdb::sim {
namespace {

namespace fs = std::filesystem;

class ImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("userdb-image-test-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
  std::string error;
};

TEST_F(ImageFileTest, SavedImageLoadsBackUnchanged) {
  const FlashImage image = SampleMemory().image;
  ASSERT_TRUE(SaveFlashImage(folder / "device.img", image, error)) << error;
  EXPECT_EQ(fs::file_size(folder / "device.img"), kFlashImageSize);
  EXPECT_FALSE(fs::exists(folder / "device.img.new"));
  const std::optional<FlashImage> loaded = LoadFlashImage(folder / "device.img", error);
  ASSERT_TRUE(loaded.has_value()) << error;
  EXPECT_EQ(*loaded, image);
}

TEST_F(ImageFileTest, SavingReplacesAnOlderImage) {
  FlashImage image{};
  ASSERT_TRUE(SaveFlashImage(folder / "device.img", image, error));
  image.fill(0x5A);
  ASSERT_TRUE(SaveFlashImage(folder / "device.img", image, error));
  EXPECT_EQ(LoadFlashImage(folder / "device.img", error), image);
}

TEST_F(ImageFileTest, FileOfAnotherSizeIsRefused) {
  std::ofstream(folder / "short.img", std::ios::binary) << std::string(kFlashImageSize - 1, '\xFF');
  EXPECT_FALSE(LoadFlashImage(folder / "short.img", error).has_value());
  EXPECT_NE(error.find("36863"), std::string::npos) << error;
}

TEST_F(ImageFileTest, MissingFileAndUnwritableFolderAreReported) {
  EXPECT_FALSE(LoadFlashImage(folder / "absent.img", error).has_value());
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(SaveFlashImage(folder / "no-such-folder" / "device.img", FlashImage{}, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace userdb::sim
