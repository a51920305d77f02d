#include "storage/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace userdb::storage {
namespace {

// Sets the variables for one test and puts back what they were.
class Environment {
 public:
  explicit Environment(const std::map<std::string, std::optional<std::string>>& values) {
    for (const auto& [name, value] : values) {
      const char* before = std::getenv(name.c_str());
      saved_[name] = before ? std::optional<std::string>(before) : std::nullopt;
      Set(name, value);
    }
  }
  ~Environment() {
    for (const auto& [name, value] : saved_) Set(name, value);
  }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

 private:
  static void Set(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(DataFolderTest, TheOverrideComesFirstThenXdgThenHome) {
  {
    Environment env({{"USERDB_DATA_DIR", "/tmp/mine"}, {"XDG_DATA_HOME", "/xdg"}, {"HOME", "/home/u"}});
    EXPECT_EQ(DataFolder(), std::filesystem::path("/tmp/mine"));
    EXPECT_EQ(BackupFolder(), std::filesystem::path("/tmp/mine/backups"));
  }
  {
    Environment env({{"USERDB_DATA_DIR", std::nullopt}, {"XDG_DATA_HOME", "/xdg"}, {"HOME", "/home/u"}});
    EXPECT_EQ(DataFolder(), std::filesystem::path("/xdg/userdb"));
  }
  {
    // A relative XDG_DATA_HOME is to be ignored; an empty variable counts as none.
    Environment env({{"USERDB_DATA_DIR", ""}, {"XDG_DATA_HOME", "relative"}, {"HOME", "/home/u"}});
    EXPECT_EQ(BackupFolder(), std::filesystem::path("/home/u/.local/share/userdb/backups"));
  }
  {
    Environment env({{"USERDB_DATA_DIR", std::nullopt}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", std::nullopt}});
    EXPECT_EQ(DataFolder(), std::nullopt);
    EXPECT_EQ(BackupFolder(), std::nullopt);
  }
}

}  // namespace
}  // namespace userdb::storage
