#pragma once
// userdb-sim serving COM n through a ports folder, a lock folder and a data folder of the
// test's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/support/child_process.h"

namespace userdb::test {

class SimOnComPort : public ::testing::Test {
 protected:
  SimOnComPort() {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder = std::filesystem::temp_directory_path() / ("userdb-e2e-" + std::to_string(::getpid()) + "-" + test);
    std::filesystem::create_directories(folder / "locks");
    setenv("USERDB_PORTS_DIR", folder.c_str(), 1);
    setenv("USERDB_LOCK_DIR", (folder / "locks").c_str(), 1);
  }
  ~SimOnComPort() override {
    sim.reset();
    std::filesystem::remove_all(folder);
  }

  // Starts the simulator as COM n and waits until its pty is ready.
  void StartSim(int comNumber, std::vector<std::string> options = {}) {
    options.insert(options.end(), {"--com", std::to_string(comNumber), "--print-path"});
    sim = std::make_unique<ChildProcess>(USERDB_SIM_BINARY, options, Environment());
    const std::optional<std::string> path = sim->NextLine(milliseconds(5000));
    ASSERT_TRUE(path.has_value()) << "userdb-sim did not start";
    ptyPath = *path;
  }

  // The test's own ports folder and data folder: nothing reaches the user's.
  std::vector<std::string> Environment() const {
    return {"USERDB_PORTS_DIR=" + folder.string(), "USERDB_DATA_DIR=" + (folder / "data").string(),
            "USERDB_LOCK_DIR=" + (folder / "locks").string()};
  }
  std::filesystem::path BackupFolder() const { return folder / "data" / "backups"; }

  // Runs userdb to its end; fails the test if it takes longer than the limit.
  Finished Userdb(const std::vector<std::string>& arguments, milliseconds limit = milliseconds(10000)) {
    std::optional<Finished> finished = RunToEnd(USERDB_BINARY, arguments, Environment(), limit);
    EXPECT_TRUE(finished.has_value()) << "userdb did not end within " << limit.count() << " ms";
    return finished.value_or(Finished{});
  }

  std::vector<std::uint8_t> FileBytes(const std::string& name) const {
    std::ifstream file(folder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  std::string InFolder(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
  std::unique_ptr<ChildProcess> sim;
  std::string ptyPath;
};

}  // namespace userdb::test
