#include "storage/atomic_file.h"

#include "tests/storage/scratch_folder.h"

namespace userdb::storage {
namespace {

using AtomicFileTest = ScratchFolderTest;

TEST_F(AtomicFileTest, AnExistingFileIsReplacedWholeOrNotAtAll) {
  const std::filesystem::path file = folder / "out.bin";
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>{1, 2, 3}));
  ASSERT_TRUE(WriteFileAtomically(file, std::vector<std::uint8_t>{4}));
  EXPECT_EQ(FileBytes(file), std::vector<std::uint8_t>{4});
  const FileWriteResult failed =
      WriteFileAtomically(folder / "no-such-folder" / "out.bin", std::vector<std::uint8_t>{4});
  EXPECT_EQ(failed.outcome, FileWriteOutcome::CannotWrite);
  EXPECT_NE(failed.message.find("cannot write"), std::string::npos);
  EXPECT_EQ(FilesIn(folder), 1u);
}

TEST_F(AtomicFileTest, ATargetThatCannotBeReplacedIsLeftAsItWas) {
  const std::filesystem::path target = folder / "taken";
  std::filesystem::create_directories(target / "inside");
  const FileWriteResult failed = WriteFileAtomically(target, std::vector<std::uint8_t>{4});
  EXPECT_EQ(failed.outcome, FileWriteOutcome::CannotReplace);
  EXPECT_EQ(failed.message.find("cannot replace " + target.string() + ": "), 0u) << failed.message;
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  EXPECT_EQ(FilesIn(folder), 1u);  // no temporary left behind
}

}  // namespace
}  // namespace userdb::storage
