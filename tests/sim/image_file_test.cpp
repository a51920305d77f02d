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
};

TEST_F(ImageFileTest, SavedImageLoadsBackUnchanged) {
  const FlashImage image = SampleMemory().image;
  const storage::FileWriteResult saved = SaveFlashImage(folder / "device.img", image);
  ASSERT_TRUE(saved) << saved.message;
  EXPECT_EQ(fs::file_size(folder / "device.img"), kFlashImageSize);
  EXPECT_FALSE(fs::exists(folder / "device.img.new"));
  const ImageFileResult loaded = LoadFlashImage(folder / "device.img");
  ASSERT_TRUE(loaded) << loaded.message;
  EXPECT_EQ(loaded.image, image);
}

TEST_F(ImageFileTest, SavingReplacesAnOlderImage) {
  FlashImage image{};
  ASSERT_TRUE(SaveFlashImage(folder / "device.img", image));
  image.fill(0x5A);
  ASSERT_TRUE(SaveFlashImage(folder / "device.img", image));
  EXPECT_EQ(LoadFlashImage(folder / "device.img").image, image);
}

TEST_F(ImageFileTest, FileOfAnotherSizeIsRefused) {
  std::ofstream(folder / "short.img", std::ios::binary) << std::string(kFlashImageSize - 1, '\xFF');
  const ImageFileResult loaded = LoadFlashImage(folder / "short.img");
  EXPECT_EQ(loaded.outcome, ImageFileOutcome::WrongSize);
  EXPECT_NE(loaded.message.find("36863"), std::string::npos) << loaded.message;
}

TEST_F(ImageFileTest, MissingFileAndUnwritableFolderAreReported) {
  const ImageFileResult loaded = LoadFlashImage(folder / "absent.img");
  EXPECT_EQ(loaded.outcome, ImageFileOutcome::CannotRead);
  EXPECT_FALSE(loaded.message.empty());
  const storage::FileWriteResult saved = SaveFlashImage(folder / "no-such-folder" / "device.img", FlashImage{});
  EXPECT_FALSE(saved);
  EXPECT_FALSE(saved.message.empty());
}

}  // namespace
}  // namespace userdb::sim
