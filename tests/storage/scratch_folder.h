#pragma once
// A folder of the test's own, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace userdb::storage {

class ScratchFolderTest : public ::testing::Test {
 protected:
  ScratchFolderTest() {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder = std::filesystem::temp_directory_path() / ("userdb-storage-" + std::to_string(::getpid()) + "-" + test);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~ScratchFolderTest() override { std::filesystem::remove_all(folder); }

  static std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  std::size_t FilesIn(const std::filesystem::path& path) const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path), {}));
  }

  std::filesystem::path folder;
};

}  // namespace userdb::storage
