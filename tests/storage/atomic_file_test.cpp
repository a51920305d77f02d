#include "storage/atomic_file.h"

#include "tests/storage/scratch_folder.h"

namespace userdb::storage {
namespace {

using AtomicFileTest = ScratchFolderTest;

TEST_F(AtomicFileTest, AnExistingFileIsReplacedWholeOrNotAtAll) {
  const std::filesystem::path file = folder / "out.bin";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>{1, 2, 3}, error));
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>{4}, error));
  EXPECT_EQ(FileBytes(file), std::vector<std::uint8_t>{4});
  EXPECT_FALSE(WriteFileAtomically(folder / "no-such-folder" / "out.bin", std::vector<std::uint8_t>{4}, error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
  EXPECT_EQ(FilesIn(folder), 1u);
}

}  // namespace
}  // namespace userdb::storage
